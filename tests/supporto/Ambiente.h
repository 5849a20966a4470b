#pragma once

#include "logic/Casuale.h"
#include "logic/Contesto.h"
#include "logic/ModuloColoriSuoni.h"
#include "logic/Modulo1.h"
#include "logic/Orologio.h"
#include "logic/Stato.h"
#include "logic/quiz/RegoleQuiz.h"
#include "logic/CasualeOrologio.h"

#include <QList>
#include <QPair>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <optional>

namespace cartavia {

// Random values read from a script, in order. Once the script is used up it goes on with a
// seeded generator, and counts how many draws were not scripted.
class CasualeScriptato : public Casuale
{
public:
    void aggiungi(std::initializer_list<float> valori) { m_valori.insert(m_valori.end(), valori); }
    void aggiungi(float valore) { m_valori.push_back(valore); }
    float prossimo() override;

    int estratti() const { return m_estratti; }       // every draw so far
    int restanti() const { return int(m_valori.size()); } // scripted values still unused
    int fuoriCopione() const { return m_fuoriCopione; }

private:
    std::deque<float> m_valori;
    CasualeOrologio m_ripiego{12345};
    int m_estratti = 0;
    int m_fuoriCopione = 0;
};

// Records every sound asked for.
class SuoniRegistrati : public Suoni
{
public:
    void suona(const QString &file) override { suonati.append(file); }
    QStringList nomi() const; // file names only: "si2.wav", "no.wav" ...
    QStringList suonati;
};

// Records every sound, and the counters as they stood when it started.
class SuoniConContatori : public SuoniRegistrati
{
public:
    explicit SuoniConContatori(const Stato &stato) : m_stato(stato) {}
    void suona(const QString &file) override;
    struct Suono
    {
        QString nome;
        qint16 esatti;
        qint16 errati;
    };
    QList<Suono> conContatori;

private:
    const Stato &m_stato;
};

// What the rules of a quiz tell, in order, each with the sounds started by then:
// "contatori 5 9 (1 suoni)", "giusta (1 suoni)", "sbagliata (1 suoni)".
class RegistroRegole
{
public:
    RegistroRegole(RegoleQuiz &regole, const SuoniRegistrati &suoni);
    QStringList detti;

    // What one answer tells once its one sound has started: the counters, then the verdict.
    static QStringList unaRisposta(bool giusta, int esatti, int errati);
};

// Records every text read aloud.
class VoceRegistrata : public Voce
{
public:
    void leggi(const QString &testo) override { letti.append(testo); }
    QStringList letti;
};

// A clock moved by hand: avanza() moves it on and, while it runs, beats once.
class OrologioFinto : public Orologio
{
public:
    qint64 adesso() const override { return m_adesso; }
    void avvia() override { m_avviato = true; }
    void ferma() override { m_avviato = false; }
    void avanza(qint64 millisecondi)
    {
        m_adesso += millisecondi;
        if (m_avviato)
            emit scattato();
    }
    bool avviato() const { return m_avviato; }

private:
    qint64 m_adesso = 1000000;
    bool m_avviato = false;
};

// Answers message boxes from a script and records what they showed. With the script empty a
// question is answered No and any other box OK.
class DialoghiScriptati : public Dialoghi
{
public:
    Risposta mostra(const QString &testo, Stile stile) override;
    void rispondi(Risposta risposta) { m_risposte.push_back(risposta); }
    void rispondi(int risposta) { rispondi(static_cast<Risposta>(risposta)); }

    QList<QPair<QString, int>> mostrati; // text and style of every box
private:
    std::deque<Risposta> m_risposte;
};

// A throw-away program directory: lista.txt with "Segnale 1" .. "Segnale 144" and 144 small
// pictures, each a different colour.
class CartellaProgramma
{
public:
    CartellaProgramma();
    QString percorso() const { return m_dir.path(); }
    void scriviLista(const QByteArray &contenuto);
    void rimuovi(const QString &relativo);
    static QString testo(int n) { return QStringLiteral("Segnale %1").arg(n); }
    static QColor colore(int n); // the colour of picture n

private:
    QTemporaryDir m_dir;
};

// Everything a window needs, with every outside effect scripted or recorded.
struct Ambiente
{
    Ambiente();
    ~Ambiente();
    Ambiente(const Ambiente &) = delete;
    Ambiente &operator=(const Ambiente &) = delete;

    CartellaProgramma cartella;
    Stato stato;
    CasualeScriptato casuale;
    SuoniRegistrati suoni;
    DialoghiScriptati dialoghi;
    VoceRegistrata voce;
    OrologioFinto orologio;
    std::optional<int> codiceUscita; // set when the program would end
    Contesto contesto;
};

// The visible top-level windows, after pending deletions have run.
QList<QWidget *> finestreAperte();

// Deletes every window a test left behind (their menus go with them).
void chiudiTutto();

} // namespace cartavia
