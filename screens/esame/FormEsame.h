#pragma once

#include "screens/FinestraAttivita.h"
#include "logic/esame/ProvaEsame.h"

#include <array>

class QAction;
class QLabel;
class QPushButton;

namespace cartavia {

class Annuncio;
class Immagine;

// The exam test: one statement at a time beside its sign's picture, "Vero" and "Falso", a strip
// of the 30 statements to move among them, the countdown and "Consegna"; once handed in, the
// result and each error in turn, and "Nuova prova".
class FormEsame : public FinestraAttivita
{
    Q_OBJECT
public:
    explicit FormEsame(Contesto &contesto, QWidget *parent = nullptr);

protected:
    // V and F answer; the arrows, Page Up and Page Down, Home and End move.
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void nuovaProva();
    void vaiA(int indice); // the statement on show, in the test or among the errors
    void mostraAffermazione();
    void mostraCasella(int indice);
    void rispondi(bool vero);
    void mostraTempo();
    void Consegna_Click();
    void mostraEsito();
    void mostraErrore();

    Contesto &m_contesto;
    ProvaEsame m_prova;
    int m_corrente = 0; // the statement on show, or the error on show once handed in

    // The test.
    QWidget *m_pagProva = nullptr;
    QLabel *LabelNumero = nullptr;   // "Domanda 7 di 30"
    QLabel *LabelTempo = nullptr;    // the countdown
    Immagine *Image1 = nullptr;
    QLabel *Label1 = nullptr;        // the statement
    QPushButton *CommandVero = nullptr;
    QPushButton *CommandFalso = nullptr;
    QPushButton *CommandPrecedente = nullptr;
    QPushButton *CommandSuccessiva = nullptr;
    QPushButton *CommandConsegna = nullptr;
    std::array<QPushButton *, ProvaEsame::NumeroAffermazioni> Casella{};

    // The result.
    QWidget *m_pagEsito = nullptr;
    QLabel *LabelEsito = nullptr;     // "Promosso" or "Respinto"
    QLabel *LabelRiepilogo = nullptr; // errors, time, errors by category
    QLabel *LabelNumeroErrore = nullptr; // "Errore 1 di 4"
    Immagine *ImageErrore = nullptr;
    QLabel *LabelErrore = nullptr;    // the statement, both answers, the sign's own text
    QPushButton *CommandErrorePrecedente = nullptr;
    QPushButton *CommandErroreSuccessivo = nullptr;
    QPushButton *CommandNuova = nullptr;

    QAction *mnuSenzaLimite = nullptr;
    Annuncio *m_annuncio = nullptr;
};

} // namespace cartavia
