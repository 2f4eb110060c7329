#include "openconnections.h"

#include <sys/socket.h>

OpenConnections::OpenConnections(std::size_t maximum)
    : maximum(maximum)
{
}

bool OpenConnections::admit(socket_t socket)
{
    const std::lock_guard<std::mutex> lock(mutex);
    if (stopping || sockets.size() >= maximum)
        return false;
    sockets.insert(socket);
    return true;
}

void OpenConnections::release(socket_t socket)
{
    const std::lock_guard<std::mutex> lock(mutex);
    sockets.erase(socket);
}

void OpenConnections::cutAll()
{
    const std::lock_guard<std::mutex> lock(mutex);
    stopping = true;
    for (const socket_t socket : sockets)
        ::shutdown(socket, SHUT_RDWR);
}
