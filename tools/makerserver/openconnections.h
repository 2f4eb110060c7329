#pragma once

#include <httplib.h>

#include <cstddef>
#include <mutex>
#include <set>

// The client sockets being served, at most a fixed number at once, so they
// can be cut when the server stops instead of waiting out their silence.
class OpenConnections
{
public:
    explicit OpenConnections(std::size_t maximum);

    // False when the server is full or stopping: the socket is not taken.
    bool admit(socket_t socket);
    // Before the socket is closed, so its number is never cut once reused.
    void release(socket_t socket);
    // Ends every open connection's reads and writes; admits nothing more.
    void cutAll();

private:
    std::mutex mutex;
    std::set<socket_t> sockets;
    std::size_t maximum;
    bool stopping = false;
};
