#pragma once

#include "logic/Avvio.h"
#include "widgets/Immagini.h"

#include <QImage>
#include <QWidget>
#include <array>
#include <future>
#include <memory>
#include <vector>

namespace cartavia {

class Casuale;
struct Contesto;
class Etichetta;
class Immagine;
struct Stato;

// The splash screen's draw and its four pictures, made before the application object exists
// (main.cpp): the draw comes first of all, and the pictures are read on a thread of their own
// at the boxes' natural sizes while Qt connects to the display, which takes one core for
// several times as long. A splash given it shows that draw, with these pictures when they are
// the very files and sizes it needs; otherwise it reads them itself, and fails as it would.
class AvvioAnticipato
{
public:
    // `cartella` holds the folder jpg; the draw is made now, with `casuale`, into `stato`.
    AvvioAnticipato(const QString &cartella, Casuale &casuale, Stato &stato);
    ~AvvioAnticipato();
    AvvioAnticipato(const AvvioAnticipato &) = delete;
    AvvioAnticipato &operator=(const AvvioAnticipato &) = delete;

    const Avvio &avvio() const { return m_avvio; }
    // The pictures once read, if they are `richieste` and every one was read; empty otherwise.
    std::vector<QImage> immagini(const std::vector<RichiestaImmagine> &richieste);

private:
    Avvio m_avvio;
    std::vector<RichiestaImmagine> m_richieste;
    std::future<std::vector<QImage>> m_lettura;
};

// The splash screen: the title and four random sign pictures on a random colour. A click
// anywhere on it opens the main menu.
class FormAvvio : public QWidget
{
    Q_OBJECT
public:
    explicit FormAvvio(Contesto &contesto, QWidget *parent = nullptr);
    // With the draw and the pictures made before the window (see AvvioAnticipato).
    FormAvvio(Contesto &contesto, AvvioAnticipato &anticipo);
    ~FormAvvio() override;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    // Return, Enter or Space: the keyboard's click, for a pupil who cannot click.
    void keyPressEvent(QKeyEvent *event) override;

private:
    FormAvvio(Contesto &contesto, AvvioAnticipato *anticipo, QWidget *parent);
    void Form_Load();
    void mostraImmagini();
    void vaiAlMenu();

    Contesto &m_contesto;
    std::array<Immagine *, 4> Image1{};
    Etichetta *Label1 = nullptr;
    AvvioAnticipato *m_anticipo = nullptr; // until the load step has taken what it made
    std::vector<RichiestaImmagine> m_richieste; // the four pictures' files and sizes
    std::vector<QImage> m_immagini;            // the pictures read before the window, if any
    std::unique_ptr<LetturaImmagini> m_lettura; // or the pictures, while they are read
};

} // namespace cartavia
