#pragma once

#include <QWidget>
#include <array>
#include <memory>

namespace cartavia {

struct Contesto;
class Etichetta;
class Immagine;
class LetturaImmagini;

// The splash screen: the title and four random sign pictures on a random colour. A click
// anywhere on it opens the main menu.
class FormAvvio : public QWidget
{
    Q_OBJECT
public:
    explicit FormAvvio(Contesto &contesto, QWidget *parent = nullptr);
    ~FormAvvio() override;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    // Return, Enter or Space: the keyboard's click, for a pupil who cannot click.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Form_Load();
    void mostraImmagini();
    void vaiAlMenu();

    Contesto &m_contesto;
    std::array<Immagine *, 4> Image1{};
    Etichetta *Label1 = nullptr;
    std::unique_ptr<LetturaImmagini> m_lettura; // the pictures, while they are read
};

} // namespace cartavia
