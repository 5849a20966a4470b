#include "tests/supporto/Ambiente.h"

#include "logic/esame/ProvaEsame.h"
#include "logic/quiz/Categorie.h"

#include <QtTest>

using namespace cartavia;

// The exam test's rules, with a clock moved by hand: the draw, the pass mark, the time limit
// and the errors by category.
namespace {
using Segnali = QList<int>;
constexpr float Vera = 0.25f, Falsa = 0.75f; // the true-or-false draw

// Scripts a test of these signs, in this order, every statement true.
void copione(Ambiente &a, const Segnali &segnali)
{
    Segnali liberi;
    for (int n = 1; n <= NumeroSegnali; ++n)
        liberi.append(n);
    for (int s : segnali) {
        const int i = int(liberi.indexOf(s));
        a.casuale.aggiungi({(float(i) + 0.5f) / float(liberi.size()), Vera});
        liberi.removeAt(i);
    }
}

Segnali primi30()
{
    Segnali s;
    for (int n = 1; n <= ProvaEsame::NumeroAffermazioni; ++n)
        s.append(n);
    return s;
}

// Answers statement i right, except those in `sbagliate` (wrong) and `vuote` (no answer).
void rispondi(ProvaEsame &prova, const QList<int> &sbagliate, const QList<int> &vuote = {})
{
    for (int i = 0; i < ProvaEsame::NumeroAffermazioni; ++i)
        if (!vuote.contains(i))
            prova.rispondi(i, prova.affermazioni().at(i).vera != sbagliate.contains(i));
}
} // namespace

class TestProvaEsame : public QObject
{
    Q_OBJECT
private slots:
    void estrazione_data();
    void estrazione();
    void estrazioneLibera();
    void voto_data();
    void voto();
    void tempoScaduto();
    void senzaLimite();
    void categorie_data();
    void categorie();
};

void TestProvaEsame::estrazione_data()
{
    QTest::addColumn<int>("segnale");
    QTest::addColumn<Segnali>("stessoTesto"); // signs given the pictured sign's text
    QTest::addColumn<float>("veroFalso");
    QTest::addColumn<float>("altro");         // the draw of the quoted sign
    QTest::addColumn<bool>("vera");
    QTest::addColumn<int>("citato");

    QTest::newRow("vera: il testo del segnale") << 5 << Segnali{} << Vera << 0.0f << true << 5;
    QTest::newRow("falsa: il primo della categoria") << 5 << Segnali{} << Falsa << 0.0f << false << 1;
    QTest::newRow("falsa: l'ultimo della categoria") << 5 << Segnali{} << Falsa << 0.999f << false << 38;
    QTest::newRow("falsa: mai dall'altra categoria") << 39 << Segnali{} << Falsa << 0.0f << false << 40;
    QTest::newRow("falsa: un testo uguale non è citato") << 5 << Segnali{1, 2} << Falsa << 0.0f << false << 3;
    QTest::newRow("categoria di un solo testo: vera")
        << 85 << Segnali{82, 83, 84, 86, 87, 88, 89} << Falsa << 0.0f << true << 85;
}

void TestProvaEsame::estrazione()
{
    QFETCH(int, segnale);
    QFETCH(Segnali, stessoTesto);
    QFETCH(float, veroFalso);
    QFETCH(float, altro);
    QFETCH(bool, vera);
    QFETCH(int, citato);

    Ambiente a;
    for (int s : stessoTesto)
        a.stato.ListaSegnali[s] = a.stato.segnale(segnale);
    a.casuale.aggiungi({(float(segnale) - 0.5f) / 144.0f, veroFalso});
    if (!vera || veroFalso == Falsa)
        a.casuale.aggiungi(altro);
    ProvaEsame prova(a.contesto);
    prova.genera();

    const Affermazione &prima = prova.affermazioni().at(0);
    QCOMPARE(prima.segnale, segnale);
    QCOMPARE(prima.vera, vera);
    QCOMPARE(prima.citato, citato);
    QCOMPARE(testoAffermazione(prima),
             QStringLiteral("Il segnale raffigurato indica: «%1»").arg(a.stato.segnale(citato)));
}

// Unscripted draws, with repeated texts in the catalogue: 30 different signs, each false
// statement quoting another text of its own category.
void TestProvaEsame::estrazioneLibera()
{
    Ambiente a;
    for (int s = 2; s <= 38; s += 2)
        a.stato.ListaSegnali[s] = a.stato.segnale(1);
    int vere = 0;
    for (int volta = 0; volta < 40; ++volta) {
        ProvaEsame prova(a.contesto);
        prova.genera();
        QSet<int> segnali;
        for (const Affermazione &f : prova.affermazioni()) {
            segnali.insert(f.segnale);
            QVERIFY(f.segnale >= 1 && f.segnale <= NumeroSegnali);
            QCOMPARE(f.testo, a.stato.segnale(f.citato));
            QCOMPARE(f.vera, f.testo == a.stato.segnale(f.segnale));
            QCOMPARE(f.vera, f.citato == f.segnale);
            QCOMPARE(categoriaDi(f.citato), categoriaDi(f.segnale));
            vere += f.vera;
        }
        QCOMPARE(segnali.size(), ProvaEsame::NumeroAffermazioni);
    }
    QVERIFY(vere > 400 && vere < 800); // about half of 1200
}

void TestProvaEsame::voto_data()
{
    QTest::addColumn<QList<int>>("sbagliate");
    QTest::addColumn<QList<int>>("vuote");
    QTest::addColumn<bool>("promosso");

    QTest::newRow("nessun errore") << QList<int>{} << QList<int>{} << true;
    QTest::newRow("3 errori: promosso") << QList<int>{0, 7, 29} << QList<int>{} << true;
    QTest::newRow("4 errori: respinto") << QList<int>{0, 7, 12, 29} << QList<int>{} << false;
    QTest::newRow("2 errori e 1 senza risposta: promosso") << QList<int>{3, 4} << QList<int>{5} << true;
    QTest::newRow("3 errori e 1 senza risposta: respinto") << QList<int>{3, 4, 6} << QList<int>{5} << false;
}

void TestProvaEsame::voto()
{
    QFETCH(QList<int>, sbagliate);
    QFETCH(QList<int>, vuote);
    QFETCH(bool, promosso);

    Ambiente b;
    ProvaEsame vera(b.contesto);
    vera.genera();
    // Every answer given wrong first, then changed: only the last one counts.
    QList<int> tutte;
    for (int i = 0; i < ProvaEsame::NumeroAffermazioni; ++i)
        tutte.append(i);
    rispondi(vera, tutte, vuote);
    rispondi(vera, sbagliate, vuote);
    vera.consegna();

    const EsitoProva &esito = vera.esito();
    QCOMPARE(esito.sbagliate, sbagliate.size());
    QCOMPARE(esito.nonDate, vuote.size());
    QCOMPARE(esito.promosso, promosso);
    QList<int> errate = sbagliate + vuote;
    std::sort(errate.begin(), errate.end());
    QCOMPARE(esito.errate, errate);
    QCOMPARE(b.stato.ripasso.dimensione(), errate.size());
    for (int i : errate)
        QVERIFY(b.stato.ripasso.contiene(vera.affermazioni().at(i).segnale));
    QVERIFY(b.suoni.suonati.isEmpty());
}

void TestProvaEsame::tempoScaduto()
{
    Ambiente a;
    ProvaEsame prova(a.contesto);
    QList<int> avvisi;
    connect(&prova, &ProvaEsame::tempoInScadenza, [&avvisi](int minuti) { avvisi.append(minuti); });
    prova.genera();
    QVERIFY(a.orologio.avviato());
    QCOMPARE(testoTempo(prova.restante()), QStringLiteral("20:00"));
    for (int i = 0; i < 10; ++i)
        prova.rispondi(i, prova.affermazioni().at(i).vera);

    a.orologio.avanza(15 * 60 * 1000 - 1);
    QCOMPARE(avvisi, QList<int>{});
    a.orologio.avanza(1); // 5:00 left
    a.orologio.avanza(1000);
    QCOMPARE(avvisi, QList<int>{5});
    a.orologio.avanza(4 * 60 * 1000 - 1001);
    QCOMPARE(avvisi, QList<int>{5});
    a.orologio.avanza(1); // 1:00 left
    QCOMPARE(avvisi, (QList<int>{5, 1}));
    a.orologio.avanza(60 * 1000 - 1);
    QVERIFY(!prova.chiusa());
    QCOMPARE(avvisi, (QList<int>{5, 1}));
    QCOMPARE(testoTempo(prova.restante()), QStringLiteral("0:01"));

    a.orologio.avanza(1);
    QVERIFY(prova.chiusa());
    QVERIFY(!a.orologio.avviato());
    QCOMPARE(prova.esito().nonDate, 20);
    QCOMPARE(prova.esito().errori(), 20);
    QVERIFY(!prova.esito().promosso);
    QCOMPARE(prova.esito().millisecondiUsati, ProvaEsame::Durata);
    prova.rispondi(20, true); // too late
    QCOMPARE(prova.risposta(20), RispostaEsame::Nessuna);
    QCOMPARE(avvisi, (QList<int>{5, 1}));
}

void TestProvaEsame::senzaLimite()
{
    Ambiente a;
    ProvaEsame prova(a.contesto);
    QList<int> avvisi;
    connect(&prova, &ProvaEsame::tempoInScadenza, [&avvisi](int minuti) { avvisi.append(minuti); });
    prova.genera();
    prova.setSenzaLimite(true);
    a.orologio.avanza(25 * 60 * 1000);
    QVERIFY(!prova.chiusa());
    QCOMPARE(avvisi, QList<int>{});
    rispondi(prova, {});
    prova.consegna();
    QCOMPARE(prova.esito().millisecondiUsati, 25 * 60 * 1000);
    QCOMPARE(testoTempo(prova.esito().millisecondiUsati), QStringLiteral("25:00"));
    QVERIFY(prova.esito().promosso);
}

void TestProvaEsame::categorie_data()
{
    QTest::addColumn<Segnali>("sbagliati");
    QTest::addColumn<QStringList>("righe");
    QTest::addColumn<int>("debole");

    QTest::newRow("nessun errore") << Segnali{} << QStringList{} << -1;
    QTest::newRow("il più sbagliato prima")
        << Segnali{1, 53, 54} << QStringList{"segnali di divieto: 2", "segnali di pericolo: 1"} << int(Divieto);
    QTest::newRow("a pari errori, la quota più alta")
        << Segnali{1, 82}
        << QStringList{"segnali di pericolo: 1", "segnali di fermata, sosta e parcheggio: 1"} << int(Sosta);
    QTest::newRow("a pari quota, la prima del menù")
        << Segnali{90, 82} << QStringList{"segnali di fermata, sosta e parcheggio: 1", "segnali di obbligo: 1"}
        << int(Sosta);
}

void TestProvaEsame::categorie()
{
    QFETCH(Segnali, sbagliati);
    QFETCH(QStringList, righe);
    QFETCH(int, debole);

    // 10 pericolo, 5 precedenza, 10 divieto, 2 sosta, 2 obbligo, 1 indicazione.
    const Segnali segnali{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 39, 40, 41, 42, 43, 53, 54, 55, 56, 57,
                          58, 59, 60, 61, 62, 82, 83, 90, 91, 118};
    Ambiente a;
    copione(a, segnali);
    ProvaEsame prova(a.contesto);
    prova.genera();
    QCOMPARE(a.casuale.fuoriCopione(), 0);
    QList<int> sbagliate;
    for (int s : sbagliati)
        sbagliate.append(int(segnali.indexOf(s)));
    rispondi(prova, sbagliate);
    prova.consegna();

    QCOMPARE(righeErroriPerCategoria(prova.esito()), righe);
    QCOMPARE(prova.esito().categoriaDebole, debole);
}

QTEST_GUILESS_MAIN(TestProvaEsame)
#include "tst_provaesame.moc"
