#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <array>

namespace cartavia {

struct Contesto;

// One statement of the test: the pictured sign and the text it is said to mean.
struct Affermazione
{
    qint16 segnale = 0; // the pictured sign
    qint16 citato = 0;  // the sign whose text is quoted: the pictured one when the statement is true
    QString testo;      // the quoted text
    bool vera = true;   // the quoted text is the pictured sign's own
};

enum class RispostaEsame { Nessuna, Vero, Falso };

// What a test handed in comes to.
struct EsitoProva
{
    int sbagliate = 0; // answered wrongly
    int nonDate = 0;   // left unanswered: they count as errors
    int errori() const { return sbagliate + nonDate; }
    bool promosso = false;
    qint64 millisecondiUsati = 0;
    // Errors in each of the six categories, pericolo first (IndiceCategoria - 1).
    std::array<int, 6> erroriPerCategoria{};
    int categoriaDebole = -1; // the category with the most errors (IndiceCategoria), -1 with none
    QList<int> errate;        // the statements wrong or unanswered, in the test's order
};

// The exam test: 30 true-or-false statements about 30 different signs of the whole catalogue,
// 20 minutes, passed with at most 3 errors. Answers can change until the test is handed in;
// at 0:00 it is handed in by itself. Time comes from the context's clock; nothing plays a sound.
class ProvaEsame : public QObject
{
    Q_OBJECT
public:
    static constexpr int NumeroAffermazioni = 30;
    static constexpr qint64 Durata = 20 * 60 * 1000; // milliseconds
    static constexpr int ErroriAmmessi = 3;

    explicit ProvaEsame(Contesto &contesto, QObject *parent = nullptr);
    ~ProvaEsame() override;

    // A new test: 30 statements drawn, no answers, the time from the start. Per statement the
    // draws are: the sign among those not drawn yet, true or false (one draw from 1 to 2, 1 is
    // true), and for a false one the quoted sign among the others of the same category whose
    // text differs from the pictured sign's own. A sign with no such other gets a true one.
    void genera();
    // An answer to statement `indice` (0-based), or a change of it; ignored once handed in.
    void rispondi(int indice, bool vero);
    // Hands the test in: judges it, and puts the signs of the statements wrong or unanswered
    // into the review set. Once only.
    void consegna();
    // Without a time limit the clock only counts the time used.
    void setSenzaLimite(bool senza);
    bool senzaLimite() const { return m_senzaLimite; }

    const QList<Affermazione> &affermazioni() const { return m_affermazioni; }
    RispostaEsame risposta(int indice) const { return m_risposte.at(indice); }
    int nonDate() const;
    bool chiusa() const { return m_chiusa; }
    qint64 trascorso() const; // milliseconds since the start, up to the hand-in
    qint64 restante() const;  // milliseconds left, never below 0
    // Valid once handed in.
    const EsitoProva &esito() const { return m_esito; }

signals:
    // The time shown has moved on.
    void tempoCambiato();
    // 5, then 1 minute left.
    void tempoInScadenza(int minuti);
    // Handed in, by the pupil or at 0:00: esito() is ready.
    void provaConsegnata();

private:
    void battito();

    Contesto &m_contesto;
    QList<Affermazione> m_affermazioni;
    QList<RispostaEsame> m_risposte;
    qint64 m_inizio = 0;
    qint64 m_fine = 0;
    bool m_chiusa = true;
    bool m_senzaLimite = false;
    int m_ultimoAvviso = 0; // minutes of the last warning, 0 before any
    EsitoProva m_esito;
};

// The category (Pericolo .. Indicazione) a sign belongs to.
int categoriaDi(int segnale);
// "segnali di pericolo" .. "segnali di indicazione".
QString nomeCategoriaEsame(int categoria);
// "Il segnale raffigurato indica: «...»".
QString testoAffermazione(const Affermazione &affermazione);
// Minutes and seconds, "19:42"; seconds rounded up, so that a countdown reads 0:00 only at its end.
QString testoTempo(qint64 millisecondi);
// One line per category with errors, the most first: "segnali di divieto: 2".
QStringList righeErroriPerCategoria(const EsitoProva &esito);

} // namespace cartavia
