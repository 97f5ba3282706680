// Raise requests between two copies of the program over a name's socket: asking, and serving
// without ever making the serving copy wait.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

enum class RaiseAnswer {
    Raised,   // the copy at the socket brought its window forward
    Refused,  // nobody listens there, or the copy ended the connection: it is closing (or not listening yet)
    Silent,   // no answer within a few seconds, or the socket is not this user's: it must not be asked
};

// Asks the copy listening at path to raise its window. Never raises SIGPIPE; bounded in time.
RaiseAnswer AskToRaise(const std::string& path);

// The serving end of one name. Reads only what is there (non-blocking, on the UI thread, from the
// watch list); keeps a few callers at a time, the newest, so that no number of silent, slow or
// garbled callers keeps a real request out. Only a well-formed request of this user's raises.
class RaiseListener {
public:
    RaiseListener(std::wstring className, std::wstring title);
    ~RaiseListener();
    RaiseListener(const RaiseListener&) = delete;
    RaiseListener& operator=(const RaiseListener&) = delete;

    // Listens at path, replacing whatever lies there (the caller holds the name's lock).
    bool Open(const std::string& path);
    // Stops listening and ends every connection: callers see a refusal.
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

private:
    struct Caller {
        int fd;
        uint32_t since;
        std::string got;
    };
    static void OnListener(int fd, void* context);
    static void OnCaller(int fd, void* context);
    void Accept();
    void Serve(int fd);
    void Drop(int fd);

    std::wstring className_;
    std::wstring title_;
    int fd_ = -1;
    std::vector<Caller> callers_;
};

}  // namespace platform
