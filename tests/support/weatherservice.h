#pragma once

// Runs tools/weather-service as a child process on an ephemeral 127.0.0.1
// port, with a script file the test rewrites and the log of the requests it
// received. Stopped (and reaped) when the object goes, and killed by the
// system if the test process dies first.

#include <signal.h>
#include <sys/prctl.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace testsupport {

class WeatherService
{
public:
    // program: the weather-service binary; dir: a folder for its files.
    WeatherService(const std::string& program, const std::string& dir)
        : script_(dir + "/weather-script.json"), log_(dir + "/weather-requests.log")
    {
        std::ofstream(log_).close();
        int out[2];
        if (pipe(out) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            // The service ends with the test, even when the test crashes.
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            dup2(out[1], 1);
            close(out[0]);
            close(out[1]);
            execl(program.c_str(), program.c_str(), "--port", "0", "--script", script_.c_str(), "--log",
                  log_.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        FILE* in = fdopen(out[0], "r");
        if (in) {
            if (std::fscanf(in, "%d", &port_) != 1)
                port_ = 0;
            std::fclose(in);
        }
    }
    ~WeatherService()
    {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    int port() const { return port_; }
    std::string address() const { return "http://127.0.0.1:" + std::to_string(port_); }

    // The next answers (see tools/weather-service/main.cpp for the forms).
    void script(const std::string& json) const
    {
        const std::string tmp = script_ + ".tmp";
        std::ofstream(tmp) << json;
        std::rename(tmp.c_str(), script_.c_str());
    }

    // The request targets received so far, in order.
    std::vector<std::string> requests() const
    {
        std::ifstream in(log_);
        std::vector<std::string> out;
        for (std::string line; std::getline(in, line);)
            out.push_back(line);
        return out;
    }

private:
    std::string script_;
    std::string log_;
    pid_t pid_ = -1;
    int port_ = 0;
};

} // namespace testsupport
