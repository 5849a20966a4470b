#include "app/Navigazione.h"

void congeda(QWidget *finestra)
{
    finestra->hide();
    finestra->deleteLater();
}
