// vantrel on Linux: starts the window program or the command-line program, whichever the
// arguments ask for, in place of itself. Loading Qt Gui, Widgets and Multimedia with all
// their libraries takes several times as long as a whole `vantrel check` on Qt Core
// alone, and no linker option defers it; so each program links only what it needs, and
// this one, linked statically, costs a window start one exec and nothing more.
#include "cli/CommandWords.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <span>
#include <unistd.h>

int main(int argc, char* argv[])
{
    // The programs lie in a folder at a fixed place from this one's, installed and in the
    // build tree alike.
    char self[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) {
        std::fprintf(stderr, "vantrel: cannot find its own folder: %s\n", std::strerror(errno));
        return 1;
    }
    self[length] = '\0';
    *std::strrchr(self, '/') = '\0';

    const bool window = vantrel::opensWindow(std::span(argv + 1, argv + argc));
    char program[PATH_MAX];
    const int written =
        std::snprintf(program, sizeof program, "%s/%s/%s", self, VANTREL_PROGRAMS_FROM_BIN,
                      window ? "vantrel-window" : "vantrel-cli");
    if (written > 0 && size_t(written) < sizeof program)
        execv(program, argv);
    std::fprintf(stderr, "vantrel: cannot start %s: %s\n", program, std::strerror(errno));
    return 1;
}
