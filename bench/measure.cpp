// Runs one command and measures it: measure RESULT COMMAND [ARGUMENT...]
//
// Writes "wall user+sys peak-rss-kib exit-status" to the file RESULT. The command inherits the
// standard streams. The benchmark starts every command through this small program because a
// child's peak RSS begins with the memory of the process it was forked from: forked from the
// benchmark's Python, every command would seem to need 30 MiB.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>

namespace {

double Seconds(const timespec& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

double Seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: measure RESULT COMMAND [ARGUMENT...]\n");
        return 2;
    }
    timespec start, end;
    clock_gettime(CLOCK_MONOTONIC, &start);
    pid_t pid = fork();
    if (pid == 0) {
        execv(argv[2], argv + 2);
        perror(argv[2]);
        _exit(127);
    }
    if (pid < 0) {
        perror("measure: fork");
        return 2;
    }
    int status = 0;
    struct rusage usage;
    if (wait4(pid, &status, 0, &usage) < 0) {
        perror("measure: wait4");
        return 2;
    }
    clock_gettime(CLOCK_MONOTONIC, &end);
    int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    FILE* result = fopen(argv[1], "w");
    if (!result) {
        perror(argv[1]);
        return 2;
    }
    fprintf(result, "%.6f %.6f %ld %d\n", Seconds(end) - Seconds(start),
            Seconds(usage.ru_utime) + Seconds(usage.ru_stime), usage.ru_maxrss, code);
    return fclose(result) == 0 ? 0 : 2;
}
