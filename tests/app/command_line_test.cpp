// The stdcheck program's commands, run as a separate process against the stand-in site.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "app/command_line.h"
#include "tools/search_site/search_site.h"

namespace {

struct Outcome {
    int code = -1;
    std::string out;
    std::string err;
};

std::string slurp(int fd) {
    std::string s;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        s.append(buffer, static_cast<std::size_t>(n));
    return s;
}

Outcome run_stdcheck(std::vector<std::string> args, bool with_host_env = false,
                     const std::string& host = "") {
    int out_pipe[2], err_pipe[2];
    EXPECT_EQ(::pipe(out_pipe), 0);
    EXPECT_EQ(::pipe(err_pipe), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out_pipe[1], 1);
        ::dup2(err_pipe[1], 2);
        ::close(out_pipe[0]);
        ::close(err_pipe[0]);
        if (with_host_env) {
            ::setenv("STDCHECK_HOST", host.c_str(), 1);
        } else {
            ::unsetenv("STDCHECK_HOST");
        }
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(STDCHECK_BINARY));
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(STDCHECK_BINARY, argv.data());
        ::_exit(127);
    }
    ::close(out_pipe[1]);
    ::close(err_pipe[1]);
    Outcome o;
    o.out = slurp(out_pipe[0]);  // the outputs are small: reading one then the other cannot block
    o.err = slurp(err_pipe[0]);
    ::close(out_pipe[0]);
    ::close(err_pipe[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    o.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return o;
}

class CommandLine : public ::testing::Test {
  protected:
    std::string file(const std::string& bytes) {
        // One file per test: ctest runs tests side by side.
        const std::string path =
            ::testing::TempDir() + "cli_" + std::to_string(::getpid()) + ".txt";
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    search_site::SearchSite site_;
};

TEST_F(CommandLine, QueryPrintsTheReportWithLineFeeds) {
    const Outcome o = run_stdcheck({"query", "GB/T50001-2017", "--host", site_.host()});
    EXPECT_EQ(o.code, 0);
    EXPECT_EQ(o.out,
              "\n标准状态：现行\n\n标准编号：GB/T "
              "50001-2017\n\n标准名称：房屋建筑制图统一标准\n\n查询结果网页：http://" +
                  site_.host() + "/s.jsp?keyword=GBT50001&pageNum=1\n\n");
    EXPECT_EQ(o.err, "");
}

TEST_F(CommandLine, HostFromTheEnvironment) {
    const Outcome o = run_stdcheck({"query", "GB50045-1995"}, true, site_.host());
    EXPECT_EQ(o.code, 0);
    EXPECT_EQ(o.out, "\n状态未知\n\n请查看查询结果网页：http://" + site_.host() +
                         "/s.jsp?keyword=GB50045&pageNum=1\n\n");
}

TEST_F(CommandLine, BatchPrintsEveryRowInOrder) {
    const std::string path =
        file("GB/T50001-2017\r\nGB/T50001-2010\r\nGB50045-1995\r\nGB/T 50104-2010\r\n");
    const Outcome o = run_stdcheck({"batch", path, "--speed", "3", "--host", site_.host()});
    EXPECT_EQ(o.code, 0);
    EXPECT_EQ(o.out,
              "序号\t待查标准编号\t是否现行\t最新标准编号\t最新标准名称\n"
              "1\tGB/T50001-2017\t现行\tGB/T 50001-2017\t房屋建筑制图统一标准\n"
              "2\tGB/T50001-2010\t有新标准\tGB/T 50001-2017\t房屋建筑制图统一标准\n"
              "3\tGB50045-1995\t未知\t\t\n"
              "4\tGB/T 50104-2010\t现行\tGB/T 50104-2010　\t建筑制图标准\n");
}

TEST_F(CommandLine, BatchEscapesCellsThatHoldSeparators) {
    const Outcome o = run_stdcheck({"batch", file("a\tb\\c\nd"), "--host", site_.host()});
    EXPECT_EQ(o.code, 0);
    EXPECT_NE(o.out.find("\n1\ta\\tb\\\\c\\nd\t"), std::string::npos) << o.out;
}

struct ErrorCase {
    const char* name;
    std::vector<std::string> args;
    friend void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.name; }
};

class CommandLineErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(CommandLineErrors, OneLineOnStderrAndExitCodeTwo) {
    const Outcome o = run_stdcheck(GetParam().args);
    EXPECT_EQ(o.code, 2);
    EXPECT_EQ(o.out, "");
    ASSERT_FALSE(o.err.empty());
    EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << o.err;
    EXPECT_EQ(o.err.rfind("stdcheck: ", 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineErrors,
    ::testing::Values(ErrorCase{"unknown_option", {"--bogus"}},
                      ErrorCase{"unknown_command", {"check", "x"}},
                      ErrorCase{"query_without_number", {"query"}},
                      ErrorCase{"batch_without_file", {"batch"}},
                      ErrorCase{"host_without_value", {"query", "x", "--host"}},
                      ErrorCase{"unreadable_file", {"batch", "/nonexistent/numbers.txt"}},
                      ErrorCase{"extra_argument", {"query", "a", "b"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommandLineInfo, HelpAndVersion) {
    Outcome o = run_stdcheck({"--help"});
    EXPECT_EQ(o.code, 0);
    EXPECT_NE(o.out.find("stdcheck batch FILE"), std::string::npos);
    o = run_stdcheck({"--version"});
    EXPECT_EQ(o.code, 0);
    EXPECT_EQ(o.out.rfind("stdcheck ", 0), 0u);
}

TEST(EscapeCell, SeparatorsAndBackslash) {
    EXPECT_EQ(app::escape_cell("a\tb\rc\nd\\e"), "a\\tb\\rc\\nd\\\\e");
    EXPECT_EQ(app::escape_cell("房屋"), "房屋");
}

}  // namespace
