#pragma once

#include <QWidget>

namespace cartavia {

struct Contesto;
class PulsanteGrafico;

// The main menu: the five activities, "Informazioni" and "Esci", on a colour drawn anew
// every time the menu opens.
class FormMenu : public QWidget
{
    Q_OBJECT
public:
    explicit FormMenu(Contesto &contesto, QWidget *parent = nullptr);

protected:
    // The arrow keys on a button move to the nearest button the way they point.
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    PulsanteGrafico *Command1 = nullptr;   // definire il segnale
    PulsanteGrafico *Command2 = nullptr;   // abbinare segnale e definizione
    PulsanteGrafico *Command3D1 = nullptr; // riconoscere il segnale
    PulsanteGrafico *Command3 = nullptr;   // gioca con i segnali
    PulsanteGrafico *CommandEsame = nullptr; // prova d'esame
    PulsanteGrafico *Command3D6 = nullptr; // Informazioni
    PulsanteGrafico *Command3D5 = nullptr; // Esci

    void Form_Load();
    void Command3D5_Click();
    void Command3D6_Click();

    Contesto &m_contesto;
};

} // namespace cartavia
