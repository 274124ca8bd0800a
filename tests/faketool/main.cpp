// A stand-in for ffmpeg/ffprobe that does on demand what the real tools
// cannot be made to do: a crafted progress stream, output only on standard
// error, a chosen exit code, a hang until SIGTERM.
//
// Without actions and with FAKETOOL_EXEC set it becomes that program, so one
// test process can mix crafted runs with real conversions.
//
//   vireo_faketool [--stdout TEXT]... [--stderr TEXT]... [--delay-ms N]
//                  [--ignore-term] [--hang] [--exit N]
//
// Actions run in the order given; --stdout/--stderr write TEXT as given
// (use "\n" inside it for line feeds), --delay-ms sleeps, --exit ends with N.
// FAKETOOL_ARGV names a file that each run appends its own arguments to,
// one a line, and an empty line after them.

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

std::string unescape(const char *text)
{
    std::string out;
    for (const char *p = text; *p; ++p) {
        if (p[0] == '\\' && p[1] == 'n') {
            out += '\n';
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

void writeAll(int fd, const std::string &data)
{
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n <= 0)
            std::exit(3);
        done += size_t(n);
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (const char *record = std::getenv("FAKETOOL_ARGV")) {
        std::ofstream out(record, std::ios::app);
        for (int i = 1; i < argc; ++i)
            out << argv[i] << '\n';
        out << '\n';
    }
    // FAKETOOL_ACTIONS replaces the command line, '|'-separated, for runs
    // whose arguments the caller does not choose (a job calling "ffmpeg").
    std::vector<std::string> fromEnvironment {argv[0]};
    if (const char *actions = std::getenv("FAKETOOL_ACTIONS")) {
        std::stringstream stream(actions);
        for (std::string part; std::getline(stream, part, '|');)
            fromEnvironment.push_back(part);
    }
    const char *exec = std::getenv("FAKETOOL_EXEC");
    if (fromEnvironment.size() == 1 && exec && *exec) {
        argv[0] = const_cast<char *>(exec);
        ::execv(exec, argv);
        return 127;
    }
    std::vector<char *> replaced;
    if (fromEnvironment.size() > 1) {
        for (std::string &part : fromEnvironment)
            replaced.push_back(part.data());
        argc = int(replaced.size());
        argv = replaced.data();
    }
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char *value = i + 1 < argc ? argv[i + 1] : "";
        if (arg == "--stdout") {
            writeAll(1, unescape(value));
            ++i;
        } else if (arg == "--stderr") {
            writeAll(2, unescape(value));
            ++i;
        } else if (arg == "--delay-ms") {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(value)));
            ++i;
        } else if (arg == "--ignore-term") {
            std::signal(SIGTERM, SIG_IGN);
        } else if (arg == "--hang") {
            for (;;)
                ::pause(); // until a signal ends the process
        } else if (arg == "--exit") {
            return std::atoi(value);
        }
    }
    return 0;
}
