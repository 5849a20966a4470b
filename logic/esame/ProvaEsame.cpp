#include "logic/esame/ProvaEsame.h"

#include "logic/Casuale.h"
#include "logic/Contesto.h"
#include "logic/Orologio.h"
#include "logic/Protezione.h"
#include "logic/Stato.h"
#include "logic/quiz/Categorie.h"

#include <algorithm>

namespace cartavia {

int categoriaDi(int segnale)
{
    for (int c = Pericolo; c <= Indicazione; ++c) {
        const Categoria &categoria = Categorie.at(static_cast<std::size_t>(c));
        if (segnale >= categoria.primo && segnale <= categoria.ultimo)
            return c;
    }
    return Tutti;
}

QString nomeCategoriaEsame(int categoria)
{
    static const char *const nomi[] = {"segnali di pericolo", "segnali di precedenza",
                                       "segnali di divieto", "segnali di fermata, sosta e parcheggio",
                                       "segnali di obbligo", "segnali di indicazione"};
    return QString::fromUtf8(nomi[categoria - Pericolo]);
}

QString testoAffermazione(const Affermazione &affermazione)
{
    return QStringLiteral("Il segnale raffigurato indica: «%1»").arg(affermazione.testo);
}

QString testoTempo(qint64 millisecondi)
{
    const qint64 secondi = (std::max<qint64>(0, millisecondi) + 999) / 1000;
    return QStringLiteral("%1:%2").arg(secondi / 60).arg(secondi % 60, 2, 10, QLatin1Char('0'));
}

QStringList righeErroriPerCategoria(const EsitoProva &esito)
{
    QList<int> ordine;
    for (int c = Pericolo; c <= Indicazione; ++c)
        if (esito.erroriPerCategoria.at(static_cast<std::size_t>(c - Pericolo)) > 0)
            ordine.append(c);
    std::stable_sort(ordine.begin(), ordine.end(), [&esito](int a, int b) {
        return esito.erroriPerCategoria.at(static_cast<std::size_t>(a - Pericolo))
            > esito.erroriPerCategoria.at(static_cast<std::size_t>(b - Pericolo));
    });
    QStringList righe;
    for (int c : ordine)
        righe.append(QStringLiteral("%1: %2").arg(nomeCategoriaEsame(c)).arg(
            esito.erroriPerCategoria.at(static_cast<std::size_t>(c - Pericolo))));
    return righe;
}

ProvaEsame::ProvaEsame(Contesto &contesto, QObject *parent) : QObject(parent), m_contesto(contesto)
{
    connect(&m_contesto.orologio, &Orologio::scattato, this,
            protetto(m_contesto, [this] { battito(); }));
}

ProvaEsame::~ProvaEsame()
{
    if (!m_chiusa)
        m_contesto.orologio.ferma();
}

void ProvaEsame::genera()
{
    const Stato &stato = m_contesto.stato;
    Casuale &casuale = m_contesto.casuale;
    QList<qint16> liberi;
    for (qint16 n = 1; n <= NumeroSegnali; ++n)
        liberi.append(n);

    m_affermazioni.clear();
    for (int i = 0; i < NumeroAffermazioni; ++i) {
        Affermazione a;
        a.segnale = liberi.takeAt(indiceNelRango(casuale, 0, int(liberi.size()) - 1));
        a.citato = a.segnale;
        a.vera = interoDa1A(casuale, 2) == 1;
        if (!a.vera) {
            // Another sign of the same category whose text is not the pictured sign's own: a
            // repeated text would make the statement true.
            const Categoria &categoria = Categorie.at(static_cast<std::size_t>(categoriaDi(a.segnale)));
            QList<qint16> altri;
            for (qint16 n = categoria.primo; n <= categoria.ultimo; ++n)
                if (stato.segnale(n) != stato.segnale(a.segnale))
                    altri.append(n);
            if (altri.isEmpty())
                a.vera = true;
            else
                a.citato = altri.at(indiceNelRango(casuale, 0, int(altri.size()) - 1));
        }
        a.testo = stato.segnale(a.citato);
        m_affermazioni.append(a);
    }

    m_risposte = QList<RispostaEsame>(NumeroAffermazioni, RispostaEsame::Nessuna);
    m_esito = EsitoProva();
    m_ultimoAvviso = 0;
    m_chiusa = false;
    m_inizio = m_contesto.orologio.adesso();
    m_contesto.orologio.avvia();
    emit tempoCambiato();
}

void ProvaEsame::rispondi(int indice, bool vero)
{
    if (m_chiusa || indice < 0 || indice >= m_risposte.size())
        return;
    m_risposte[indice] = vero ? RispostaEsame::Vero : RispostaEsame::Falso;
}

int ProvaEsame::nonDate() const
{
    return int(std::count(m_risposte.begin(), m_risposte.end(), RispostaEsame::Nessuna));
}

qint64 ProvaEsame::trascorso() const
{
    const qint64 tempo = (m_chiusa ? m_fine : m_contesto.orologio.adesso()) - m_inizio;
    return m_senzaLimite ? tempo : std::min(tempo, Durata);
}

qint64 ProvaEsame::restante() const
{
    return std::max<qint64>(0, Durata - trascorso());
}

void ProvaEsame::setSenzaLimite(bool senza)
{
    m_senzaLimite = senza;
    if (!m_chiusa)
        battito();
}

void ProvaEsame::battito()
{
    if (m_chiusa)
        return;
    if (!m_senzaLimite) {
        const qint64 resta = restante();
        if (resta == 0) {
            consegna();
            return;
        }
        const int avviso = resta <= 60 * 1000 ? 1 : resta <= 5 * 60 * 1000 ? 5 : 0;
        if (avviso != 0 && avviso != m_ultimoAvviso) {
            m_ultimoAvviso = avviso;
            emit tempoInScadenza(avviso);
        }
    }
    emit tempoCambiato();
}

void ProvaEsame::consegna()
{
    if (m_chiusa)
        return;
    m_fine = m_contesto.orologio.adesso();
    m_chiusa = true;
    m_contesto.orologio.ferma();

    EsitoProva esito;
    esito.millisecondiUsati = trascorso();
    std::array<int, 6> affermazioniPerCategoria{};
    for (int i = 0; i < m_affermazioni.size(); ++i) {
        const Affermazione &a = m_affermazioni.at(i);
        const auto categoria = static_cast<std::size_t>(categoriaDi(a.segnale) - Pericolo);
        ++affermazioniPerCategoria.at(categoria);
        const RispostaEsame data = m_risposte.at(i);
        if (data == RispostaEsame::Nessuna)
            ++esito.nonDate;
        else if ((data == RispostaEsame::Vero) != a.vera)
            ++esito.sbagliate;
        else
            continue;
        ++esito.erroriPerCategoria.at(categoria);
        esito.errate.append(i);
        m_contesto.stato.ripasso.sbagliato(a.segnale);
    }
    esito.promosso = esito.errori() <= ErroriAmmessi;
    // The weakest category: the most errors; between equals, the larger share of its statements.
    for (int c = Pericolo; c <= Indicazione; ++c) {
        const auto i = static_cast<std::size_t>(c - Pericolo);
        if (esito.erroriPerCategoria.at(i) == 0)
            continue;
        if (esito.categoriaDebole < 0) {
            esito.categoriaDebole = c;
            continue;
        }
        const auto d = static_cast<std::size_t>(esito.categoriaDebole - Pericolo);
        const int errori = esito.erroriPerCategoria.at(i), erroriDebole = esito.erroriPerCategoria.at(d);
        if (errori > erroriDebole
            || (errori == erroriDebole
                && errori * affermazioniPerCategoria.at(d) > erroriDebole * affermazioniPerCategoria.at(i)))
            esito.categoriaDebole = c;
    }
    m_esito = esito;
    emit tempoCambiato();
    emit provaConsegnata();
}

} // namespace cartavia
