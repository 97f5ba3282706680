// The claim on a window name in a page. A second tab of the same site is the browser's second
// copy: the name a class and title form is a Web Lock, held by the tab whose program holds the
// name, for as long as that program runs. A later tab asks the holder over a BroadcastChannel to
// come forward; a holder that is closing no longer answers and lets the lock go, and the asking
// tab then takes it. Without the Web Locks API (a page served to another machine over plain
// http) there is nothing to hold: the tab plays and saves as the only one.
#include "platform/SingleInstance.h"

#include <emscripten.h>

#include <map>
#include <memory>
#include <string>

#include "platform/Utf8.h"
#include "platform/web/SingleInstance.h"

namespace {

// 1: the lock is this page's now; 0: another tab holds it; 2: no Web Locks here.
EM_ASYNC_JS(int, TakeLock, (const char* lockName), {
    var name = UTF8ToString(lockName);
    if (!navigator.locks) return 2;
    var held = {};
    var taken = await new Promise(function(resolve) {
        navigator.locks.request(name, { ifAvailable: true }, function(lock) {
            resolve(lock ? 1 : 0);
            return lock ? new Promise(function(release) { held.release = release; }) : null;
        }).catch(function() { resolve(2); });
    });
    if (taken === 1) (Module.tintaroLocks = Module.tintaroLocks || {})[name] = held;
    return taken;
});

// Asks the holder to come forward. 1: it did; 0: it let the lock go meanwhile, and the lock is now
// this page's; 2: neither within a few seconds.
EM_ASYNC_JS(int, ReachHolder, (const char* lockName), {
    var name = UTF8ToString(lockName);
    var channel = new BroadcastChannel(name);
    var stop = new AbortController();
    var held = {}, timer;
    var result = await new Promise(function(resolve) {
        channel.onmessage = function(e) { if (e.data === "raised") resolve(1); };
        navigator.locks.request(name, { signal: stop.signal }, function(lock) {
            resolve(0);
            return new Promise(function(release) { held.release = release; });
        }).catch(function() {});
        timer = setTimeout(function() { resolve(2); }, 3000);
        channel.postMessage("raise");
    });
    clearTimeout(timer);
    channel.close();
    stop.abort();
    if (result === 0) (Module.tintaroLocks = Module.tintaroLocks || {})[name] = held;
    else if (held.release) held.release();  // granted too late: not ours to keep
    return result;
});

// The holder's side: answers raise requests while answering is on.
EM_JS(void, Answer, (const char* lockName, int on), {
    var name = UTF8ToString(lockName);
    var answering = (Module.tintaroAnswering = Module.tintaroAnswering || {});
    if (on && !answering[name]) {
        var channel = new BroadcastChannel(name);
        channel.onmessage = function(e) {
            if (e.data !== "raise") return;
            channel.postMessage("raised");
            window.focus();
        };
        answering[name] = channel;
    } else if (!on && answering[name]) {
        answering[name].close();
        delete answering[name];
    }
});

EM_JS(void, ReleaseLock, (const char* lockName), {
    var name = UTF8ToString(lockName);
    var locks = Module.tintaroLocks || {};
    if (locks[name] && locks[name].release) locks[name].release();
    delete locks[name];
});

EM_JS(void, ReloadWhenFree, (const char* lockName), {
    navigator.locks.request(UTF8ToString(lockName), function() { location.reload(); });
});

}  // namespace

namespace platform {
namespace {

struct InstanceState {
    std::map<std::string, bool> claims;  // by lock name: whether a lock is held for it
    std::string problem;
    std::string heldElsewhere;  // the lock another tab holds
};

InstanceState& State() {
    static InstanceState state;
    return state;
}

std::string LockName(LPCWSTR className, LPCWSTR title) {
    return "tintaro:" + ToUtf8(className) + "\n" + ToUtf8(title);
}

}  // namespace

HWND ClaimOrFind(LPCWSTR className, LPCWSTR title) {
    InstanceState& s = State();
    const std::string name = LockName(className, title);
    if (s.claims.count(name)) {
        if (s.claims[name]) Answer(name.c_str(), 1);
        return nullptr;
    }
    int taken = TakeLock(name.c_str());
    if (taken == 0) {
        int answer = ReachHolder(name.c_str());
        if (answer != 0) {
            s.heldElsewhere = name;
            if (answer == 2) s.problem = "already running, not responding";
            return RemoteWindowHandle(answer == 1);
        }
        taken = 1;
    }
    s.claims[name] = taken == 1;
    if (taken == 1) Answer(name.c_str(), 1);
    return nullptr;
}

// Pages keep no lock files.
std::string InstanceLockPath(LPCWSTR, LPCWSTR) { return ""; }

bool HoldsWindowName() { return !State().claims.empty(); }
std::string WindowNameProblem() { return State().problem; }

void StopAnsweringRaiseRequests() {
    for (const auto& [name, locked] : State().claims)
        if (locked) Answer(name.c_str(), 0);
}

void ResetSingleInstance() {
    InstanceState& s = State();
    for (const auto& [name, locked] : s.claims) {
        if (!locked) continue;
        Answer(name.c_str(), 0);
        ReleaseLock(name.c_str());
    }
    s.claims.clear();
    ForgetRemoteWindows();
    s.problem.clear();
    s.heldElsewhere.clear();
}

namespace web {

bool AnotherTabHoldsTheName() { return !State().heldElsewhere.empty(); }

void ReloadWhenTheNameIsFree() {
    if (!State().heldElsewhere.empty()) ReloadWhenFree(State().heldElsewhere.c_str());
}

}  // namespace web
}  // namespace platform
