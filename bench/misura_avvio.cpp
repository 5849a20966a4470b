// Start-up time: from the moment a program is started until its first top-level window is
// mapped on the X display. Several programs are measured side by side, their runs
// interleaved (A B A B ...) so that a busy moment of the machine hits them alike; the first
// program is the yardstick the others are compared with.
//
//   misura_avvio [-n RUNS] [-l LIMIT] PROGRAM...
//
// Needs a display (run it under Xvfb, see avvio.sh). The window is recognised by the
// _NET_WM_PID property that Qt sets on its windows before mapping them. Exits with 1 when a
// program is more than LIMIT times slower than the first one (no limit by default).

#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

double adesso()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

struct Display
{
    xcb_connection_t *connessione = nullptr;
    xcb_window_t radice = 0;
    xcb_atom_t netWmPid = 0;
};

xcb_atom_t atomo(xcb_connection_t *c, const char *nome)
{
    auto cookie = xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(nome)), nome);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> risposta(
        xcb_intern_atom_reply(c, cookie, nullptr), &std::free);
    return risposta ? risposta->atom : 0;
}

long pidDellaFinestra(const Display &d, xcb_window_t finestra)
{
    auto cookie = xcb_get_property(d.connessione, 0, finestra, d.netWmPid, XCB_ATOM_CARDINAL, 0, 1);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> risposta(
        xcb_get_property_reply(d.connessione, cookie, nullptr), &std::free);
    if (!risposta || xcb_get_property_value_length(risposta.get()) < 4)
        return -1;
    return *static_cast<const uint32_t *>(xcb_get_property_value(risposta.get()));
}

// Starts `programma` and returns the milliseconds until one of its windows is mapped, or a
// negative number when it exits or takes longer than `attesaMassima` milliseconds.
double unaPartenza(const Display &d, const std::string &programma, double attesaMassima)
{
    const double inizio = adesso();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("fork");
        std::exit(2);
    }
    if (pid == 0) {
        // What the program prints would only slow it down in a terminal.
        const int nulla = open("/dev/null", O_WRONLY);
        if (nulla >= 0) {
            dup2(nulla, STDOUT_FILENO);
            dup2(nulla, STDERR_FILENO);
        }
        execl(programma.c_str(), programma.c_str(), static_cast<char *>(nullptr));
        std::perror(programma.c_str());
        _exit(127);
    }

    double durata = -1;
    const int fd = xcb_get_file_descriptor(d.connessione);
    while (durata < 0) {
        xcb_generic_event_t *evento;
        while (durata < 0 && (evento = xcb_poll_for_event(d.connessione))) {
            if ((evento->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                const auto *mappa = reinterpret_cast<xcb_map_notify_event_t *>(evento);
                const double quando = adesso();
                if (pidDellaFinestra(d, mappa->window) == pid)
                    durata = quando - inizio;
            }
            std::free(evento);
        }
        if (durata >= 0)
            break;
        if (xcb_connection_has_error(d.connessione)) {
            std::fprintf(stderr, "lost the X display\n");
            std::exit(2);
        }
        int stato = 0;
        if (waitpid(pid, &stato, WNOHANG) == pid) {
            std::fprintf(stderr, "%s ended before showing a window\n", programma.c_str());
            return -1;
        }
        if (adesso() - inizio > attesaMassima) {
            std::fprintf(stderr, "%s showed no window in %.0f ms\n", programma.c_str(), attesaMassima);
            break;
        }
        pollfd p{fd, POLLIN, 0};
        poll(&p, 1, 5);
    }

    kill(pid, SIGTERM);
    int stato = 0;
    while (waitpid(pid, &stato, 0) < 0 && errno == EINTR) {
    }
    return durata;
}

double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void attendi(double ms)
{
    const timespec t{static_cast<time_t>(ms / 1e3), static_cast<long>(std::fmod(ms, 1e3) * 1e6)};
    nanosleep(&t, nullptr);
}

} // namespace

int main(int argc, char *argv[])
{
    int prove = 15;
    double limite = 0;
    int opt;
    while ((opt = getopt(argc, argv, "n:l:")) != -1) {
        if (opt == 'n')
            prove = std::max(1, std::atoi(optarg));
        else if (opt == 'l')
            limite = std::atof(optarg);
        else
            return 2;
    }
    std::vector<std::string> programmi(argv + optind, argv + argc);
    if (programmi.empty()) {
        std::fprintf(stderr, "usage: %s [-n RUNS] [-l LIMIT] PROGRAM...\n", argv[0]);
        return 2;
    }

    Display d;
    d.connessione = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(d.connessione)) {
        std::fprintf(stderr, "no X display (set DISPLAY or run under xvfb-run)\n");
        return 2;
    }
    d.radice = xcb_setup_roots_iterator(xcb_get_setup(d.connessione)).data->root;
    d.netWmPid = atomo(d.connessione, "_NET_WM_PID");
    const uint32_t maschera = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(d.connessione, d.radice, XCB_CW_EVENT_MASK, &maschera);
    xcb_flush(d.connessione);

    std::vector<std::vector<double>> tempi(programmi.size());
    // One unrecorded run of each first, so that every program meets a warm file cache.
    for (int giro = -1; giro < prove; ++giro) {
        for (size_t i = 0; i < programmi.size(); ++i) {
            const double t = unaPartenza(d, programmi[i], 20000);
            if (t < 0)
                return 2;
            if (giro >= 0)
                tempi[i].push_back(t);
            attendi(150); // let the X server and the dying process settle
        }
    }

    const double base = mediana(tempi[0]);
    bool entroIlLimite = true;
    std::printf("%-36s %5s %10s %10s %10s %8s\n", "program", "runs", "median ms", "min ms",
                "max ms", "ratio");
    for (size_t i = 0; i < programmi.size(); ++i) {
        const double m = mediana(tempi[i]);
        const auto [minimo, massimo] = std::minmax_element(tempi[i].begin(), tempi[i].end());
        std::string nome = programmi[i];
        if (const auto barra = nome.rfind('/'); barra != std::string::npos)
            nome = nome.substr(barra + 1);
        std::printf("%-36s %5zu %10.1f %10.1f %10.1f %8.2f\n", nome.c_str(), tempi[i].size(), m,
                    *minimo, *massimo, m / base);
        if (limite > 0 && i > 0 && m > limite * base)
            entroIlLimite = false;
    }
    if (limite > 0)
        std::printf("goal: at most %.2f times %s: %s\n", limite, programmi[0].c_str(),
                    entroIlLimite ? "met" : "NOT met");
    xcb_disconnect(d.connessione);
    return entroIlLimite ? 0 : 1;
}
