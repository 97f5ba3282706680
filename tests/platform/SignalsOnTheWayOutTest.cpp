// Termination signals that arrive while the program is already ending change nothing.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/TerminationSignals.h"
#include "tests/support/PlatformFixture.h"

namespace {

class SignalsOnTheWayOutTest : public PlatformTest {};

TEST_F(SignalsOnTheWayOutTest, FurtherSignalsAreAbsorbedAndTheStatusStaysTheProgramsOwn) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (!platform::RouteTerminationSignals()) _exit(3);
        platform::AbsorbTerminationSignals();  // what the program does once its loop has ended
        for (int signo : {SIGTERM, SIGINT, SIGHUP, SIGTERM}) raise(signo);
        _exit(7);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 7);
}

}  // namespace
