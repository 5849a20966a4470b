// Writes the five feedback sounds of Cartavia into a folder:
// si1.wav .. si4.wav, short cheerful chimes for a right answer, and no.wav,
// a short gentle low tone for a wrong one.
// Mono, 22050 Hz, 16-bit PCM (QSoundEffect does not play 32-bit PCM).
//
//   generasuoni <folder>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int Frequenza = 22050;
constexpr double Pi = 3.14159265358979323846;

struct Nota {
    double inizio;   // seconds from the start of the sound
    double hertz;
    double volume;   // 0..1
    double durata;   // seconds until the note has died away
};

struct Suono {
    const char *nome;
    double durata;          // seconds, under one
    double decadimento;     // time constant of the notes' decay, seconds
    double armoniche[3];    // weight of partials 1, 2 and 3
    std::vector<Nota> note;
};

double hz(int midi)
{
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

// One note: a soft raised-cosine attack, an exponential decay, and a short
// fade at the end of its own time so that nothing is cut off.
double campioneNota(const Nota &n, const Suono &s, double t)
{
    const double u = t - n.inizio;
    if (u < 0.0 || u >= n.durata)
        return 0.0;
    constexpr double attacco = 0.012;
    constexpr double coda = 0.04;
    double inviluppo = std::exp(-u / s.decadimento);
    if (u < attacco)
        inviluppo *= 0.5 - 0.5 * std::cos(Pi * u / attacco);
    if (n.durata - u < coda)
        inviluppo *= 0.5 - 0.5 * std::cos(Pi * (n.durata - u) / coda);

    double v = 0.0;
    for (int k = 0; k < 3; ++k) {
        // higher partials fade faster, as in a struck bar
        const double smorza = std::exp(-u * k * 6.0);
        v += s.armoniche[k] * smorza * std::sin(2.0 * Pi * n.hertz * (k + 1) * u);
    }
    return n.volume * inviluppo * v;
}

std::vector<int16_t> sintetizza(const Suono &s)
{
    const int totale = static_cast<int>(s.durata * Frequenza);
    std::vector<double> onda(static_cast<size_t>(totale), 0.0);
    for (int i = 0; i < totale; ++i) {
        const double t = static_cast<double>(i) / Frequenza;
        for (const Nota &n : s.note)
            onda[static_cast<size_t>(i)] += campioneNota(n, s, t);
    }

    // Whole-sound fade in and out: the first and last samples are silent.
    constexpr double bordo = 0.005;
    for (int i = 0; i < totale; ++i) {
        const double t = static_cast<double>(i) / Frequenza;
        const double fine = static_cast<double>(totale - 1 - i) / Frequenza;
        const double m = std::min({1.0, t / bordo, fine / bordo});
        onda[static_cast<size_t>(i)] *= m;
    }

    double picco = 0.0;
    for (double v : onda)
        picco = std::max(picco, std::abs(v));
    const double scala = picco > 0.0 ? 0.6 * 32767.0 / picco : 0.0;

    std::vector<int16_t> campioni;
    campioni.reserve(onda.size());
    for (double v : onda)
        campioni.push_back(static_cast<int16_t>(std::lround(v * scala)));
    return campioni;
}

void scrivi16(std::ofstream &f, uint16_t v)
{
    const char b[2] = {static_cast<char>(v & 0xff), static_cast<char>(v >> 8)};
    f.write(b, 2);
}

void scrivi32(std::ofstream &f, uint32_t v)
{
    scrivi16(f, static_cast<uint16_t>(v & 0xffff));
    scrivi16(f, static_cast<uint16_t>(v >> 16));
}

bool scriviWav(const std::string &file, const std::vector<int16_t> &campioni)
{
    std::ofstream f(file, std::ios::binary);
    if (!f)
        return false;
    const uint32_t byteDati = static_cast<uint32_t>(campioni.size() * 2);
    f.write("RIFF", 4);
    scrivi32(f, 36 + byteDati);
    f.write("WAVE", 4);
    f.write("fmt ", 4);
    scrivi32(f, 16);
    scrivi16(f, 1);              // PCM
    scrivi16(f, 1);              // mono
    scrivi32(f, Frequenza);
    scrivi32(f, Frequenza * 2);  // bytes per second
    scrivi16(f, 2);              // bytes per frame
    scrivi16(f, 16);             // bits per sample
    f.write("data", 4);
    scrivi32(f, byteDati);
    for (int16_t c : campioni)
        scrivi16(f, static_cast<uint16_t>(c));
    return static_cast<bool>(f);
}

std::vector<Suono> suoni()
{
    // Bright timbre for the chimes, a rounder one for the low tone.
    const double campana[3] = {1.0, 0.35, 0.12};
    const double morbido[3] = {1.0, 0.15, 0.03};
    // MIDI note numbers: 72 = C5.
    return {
        {"si1.wav", 0.70, 0.16, {campana[0], campana[1], campana[2]},
         {{0.00, hz(72), 0.8, 0.40}, {0.10, hz(76), 0.8, 0.40}, {0.20, hz(79), 0.9, 0.50}}},
        {"si2.wav", 0.75, 0.15, {campana[0], campana[1], campana[2]},
         {{0.00, hz(74), 0.7, 0.35}, {0.08, hz(78), 0.7, 0.35}, {0.16, hz(81), 0.8, 0.35},
          {0.24, hz(86), 0.9, 0.50}}},
        {"si3.wav", 0.60, 0.14, {campana[0], campana[1], campana[2]},
         {{0.00, hz(79), 0.8, 0.30}, {0.12, hz(84), 1.0, 0.48}}},
        {"si4.wav", 0.80, 0.17, {campana[0], campana[1], campana[2]},
         {{0.00, hz(77), 0.7, 0.30}, {0.09, hz(81), 0.7, 0.30}, {0.18, hz(84), 0.8, 0.30},
          {0.27, hz(89), 0.9, 0.52}}},
        {"no.wav", 0.65, 0.22, {morbido[0], morbido[1], morbido[2]},
         {{0.00, hz(57), 0.9, 0.30}, {0.22, hz(53), 1.0, 0.43}}},
    };
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "uso: %s <cartella>\n", argv[0]);
        return 2;
    }
    const std::string cartella = argv[1];
    for (const Suono &s : suoni()) {
        const std::string file = cartella + "/" + s.nome;
        const std::vector<int16_t> campioni = sintetizza(s);
        if (!scriviWav(file, campioni)) {
            std::fprintf(stderr, "impossibile scrivere %s\n", file.c_str());
            return 1;
        }
        std::printf("%s: %.3f s\n", file.c_str(), static_cast<double>(campioni.size()) / Frequenza);
    }
    return 0;
}
