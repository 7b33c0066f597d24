// Figures of the game program itself, started as a player would (headless,
// each time with a fresh save folder, so full screen as by default): the time
// to its first presented frame, and the CPU it uses idling in the main menu
// with its own frame pacing.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "bench/bench.h"

extern char** environ;

namespace {

// The splash shows two logos for 2.5 s each before the main menu.
const double kSecondsToMainMenu = 7.0;
const double kLaunchTimeout = 20.0;

struct Launch {
    pid_t pid = -1;
    std::string folder;  // its save folder, removed afterwards
};

void RemoveFolder(const std::string& folder) {
    if (folder.empty()) return;
    if (std::system(("rm -rf '" + folder + "'").c_str()) != 0) {
        // Leftovers in /tmp are harmless.
    }
}

// Starts the game with the dummy video driver, its own save folder and the
// extra variables given ("NAME=value").
Launch StartGame(const BenchOptions& options, const std::vector<std::string>& extra) {
    Launch launch;
    char pattern[] = "/tmp/vexal-bench-game-XXXXXX";
    if (!mkdtemp(pattern)) return launch;
    launch.folder = pattern;
    std::vector<std::string> variables;
    for (char** v = environ; *v; ++v) {
        const std::string variable = *v;
        if (variable.rfind("XDG_DATA_HOME=", 0) == 0) continue;
        if (variable.rfind("SDL_VIDEODRIVER=", 0) == 0) continue;
        if (variable.rfind("LD_PRELOAD=", 0) == 0) continue;
        variables.push_back(variable);
    }
    variables.push_back("XDG_DATA_HOME=" + launch.folder);
    variables.push_back("SDL_VIDEODRIVER=dummy");
    for (const std::string& variable : extra) variables.push_back(variable);
    std::vector<char*> env;
    for (std::string& variable : variables) env.push_back(&variable[0]);
    env.push_back(nullptr);

    const std::string game = options.folder + "/vexal";
    char* argv[] = {const_cast<char*>(game.c_str()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    if (posix_spawn(&launch.pid, game.c_str(), &actions, nullptr, argv, env.data()) != 0) {
        launch.pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return launch;
}

// Waits for the program to end by itself; false after the timeout.
bool WaitForExit(pid_t pid, double timeout) {
    const double until = Bench_WallSeconds() + timeout;
    while (Bench_WallSeconds() < until) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) return true;
        usleep(2000);
    }
    return false;
}

void StopGame(Launch* launch) {
    if (launch->pid > 0) {
        kill(launch->pid, SIGTERM);
        if (!WaitForExit(launch->pid, 5.0)) {
            kill(launch->pid, SIGKILL);
            WaitForExit(launch->pid, 5.0);
        }
    }
    RemoveFolder(launch->folder);
    launch->pid = -1;
}

bool Running(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == 0;
}

// The process's CPU time (all threads) so far, in seconds; -1 when unknown.
double ProcessCpuSeconds(pid_t pid) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const size_t close = text.rfind(')');
    if (close == std::string::npos) return -1.0;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    long long utime = -1, stime = -1;
    // After the name: state is field 3 and utime, stime are fields 14 and 15.
    for (int index = 3; index <= 15 && fields >> field; ++index) {
        if (index == 14) utime = std::atoll(field.c_str());
        if (index == 15) stime = std::atoll(field.c_str());
    }
    if (utime < 0 || stime < 0) return -1.0;
    return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

bool Exists(const std::string& path) { return access(path.c_str(), X_OK) == 0; }

}  // namespace

bool Bench_FirstFrame(const BenchOptions& options) {
    BenchRow row;
    row.figure = "first frame after start";
    if (!Bench_Wanted(options, row.figure)) return true;
    const std::string probe = options.folder + "/libvexal_first_frame_probe.so";
    if (!Exists(options.folder + "/vexal")) row.failure = "no game program beside the bench";
    std::vector<double> seconds;
    for (int i = 0; i < options.launches && row.failure.empty(); ++i) {
        char pattern[] = "/tmp/vexal-bench-frame-XXXXXX";
        if (!mkdtemp(pattern)) {
            row.failure = "no temporary folder";
            break;
        }
        const std::string timeFile = std::string(pattern) + "/first-frame";
        const double start = Bench_WallSeconds();
        Launch launch =
            StartGame(options, {"LD_PRELOAD=" + probe, "VEXAL_FIRST_FRAME_FILE=" + timeFile});
        if (launch.pid < 0) row.failure = "the game did not start";
        else if (!WaitForExit(launch.pid, kLaunchTimeout)) row.failure = "no frame presented";
        else launch.pid = -1;
        StopGame(&launch);
        double presented = 0.0;
        std::ifstream in(timeFile);
        if (row.failure.empty() && !(in >> presented)) row.failure = "the probe wrote no time";
        RemoveFolder(pattern);
        if (row.failure.empty()) seconds.push_back(presented - start);
    }
    row.samples = static_cast<int>(seconds.size());
    row.p50 = Bench_Quantile(seconds, 0.5) * 1e3;
    row.p99 = Bench_Quantile(seconds, 1.0) * 1e3;  // the slowest launch
    Bench_Print(options, row);
    return row.failure.empty();
}

bool Bench_Idle(const BenchOptions& options) {
    BenchRow row;
    row.figure = "idle main menu CPU";
    row.unit = "%";
    if (!Bench_Wanted(options, row.figure)) return true;
    if (!Exists(options.folder + "/vexal")) row.failure = "no game program beside the bench";
    Launch launch;
    if (row.failure.empty()) launch = StartGame(options, {});
    if (row.failure.empty() && launch.pid < 0) row.failure = "the game did not start";
    std::vector<double> percent;
    if (row.failure.empty()) {
        usleep(static_cast<useconds_t>(kSecondsToMainMenu * 1e6));
        // Shares of one core over one-second stretches.
        double cpu = ProcessCpuSeconds(launch.pid), wall = Bench_WallSeconds();
        for (double spent = 0; spent < options.idleSeconds && row.failure.empty(); spent += 1) {
            usleep(1000000);
            const double nowCpu = ProcessCpuSeconds(launch.pid), nowWall = Bench_WallSeconds();
            if (!Running(launch.pid) || cpu < 0 || nowCpu < 0) {
                row.failure = "the game ended while idle";
                launch.pid = -1;
                break;
            }
            percent.push_back(100.0 * (nowCpu - cpu) / (nowWall - wall));
            cpu = nowCpu;
            wall = nowWall;
        }
    }
    StopGame(&launch);
    row.samples = static_cast<int>(percent.size());
    row.p50 = Bench_Quantile(percent, 0.5);
    row.p99 = Bench_Quantile(percent, 1.0);  // the busiest second
    Bench_Print(options, row);
    return row.failure.empty();
}
