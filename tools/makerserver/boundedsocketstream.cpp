#include "boundedsocketstream.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

const char blankLine[] = "\r\n\r\n";
constexpr std::size_t blankLineSize = sizeof(blankLine) - 1;

void describeAddress(const sockaddr_storage &address, socklen_t size, std::string &ip, int &port)
{
    char host[NI_MAXHOST];
    char service[NI_MAXSERV];
    if (::getnameinfo(reinterpret_cast<const sockaddr *>(&address), size, host, sizeof host, service, sizeof service,
                      NI_NUMERICHOST | NI_NUMERICSERV) == 0) {
        ip = host;
        port = std::atoi(service);
    }
}

} // namespace

BoundedSocketStream::BoundedSocketStream(socket_t socket, std::size_t headLimit, std::chrono::milliseconds silenceLimit)
    : sock(socket)
    , headLimit(headLimit)
    , silenceLimit(silenceLimit)
{
}

bool BoundedSocketStream::is_readable() const
{
    return !overran && !cutOff && (receivedStart < receivedEnd || waitFor(POLLIN));
}

bool BoundedSocketStream::is_writable() const
{
    return !overran && !cutOff && waitFor(POLLOUT);
}

ssize_t BoundedSocketStream::read(char *ptr, size_t size)
{
    if (overran || cutOff)
        return -1;
    while (receivedStart == receivedEnd) {
        if (!waitFor(POLLIN)) {
            cutOff = true;
            return -1;
        }
        const ssize_t count = ::recv(sock, received.data(), received.size(), MSG_DONTWAIT);
        if (count == 0)
            return 0;
        if (count < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
                continue;
            return -1;
        }
        receivedStart = 0;
        receivedEnd = static_cast<std::size_t>(count);
    }
    const std::size_t count = std::min(size, receivedEnd - receivedStart);
    const char *data = received.data() + receivedStart;
    if (!followHead(data, count))
        return -1;
    std::memcpy(ptr, data, count);
    receivedStart += count;
    return static_cast<ssize_t>(count);
}

ssize_t BoundedSocketStream::write(const char *ptr, size_t size)
{
    return overran || cutOff ? -1 : sendSome(ptr, size);
}

bool BoundedSocketStream::sendRefusal(const std::string &bytes)
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t count = sendSome(bytes.data() + sent, bytes.size() - sent);
        if (count < 0)
            return false;
        sent += static_cast<std::size_t>(count);
    }
    return true;
}

void BoundedSocketStream::get_remote_ip_and_port(std::string &ip, int &port) const
{
    sockaddr_storage address{};
    socklen_t size = sizeof address;
    if (::getpeername(sock, reinterpret_cast<sockaddr *>(&address), &size) == 0)
        describeAddress(address, size, ip, port);
}

void BoundedSocketStream::get_local_ip_and_port(std::string &ip, int &port) const
{
    sockaddr_storage address{};
    socklen_t size = sizeof address;
    if (::getsockname(sock, reinterpret_cast<sockaddr *>(&address), &size) == 0)
        describeAddress(address, size, ip, port);
}

socket_t BoundedSocketStream::socket() const
{
    return sock;
}

bool BoundedSocketStream::waitFor(short events) const
{
    pollfd watched{sock, events, 0};
    for (;;) {
        const int ready = ::poll(&watched, 1, static_cast<int>(silenceLimit.count()));
        if (ready >= 0 || errno != EINTR)
            return ready > 0;
    }
}

// Waits for room rather than blocking in send(), so a client that stops
// reading is cut off after the same silence as one that stops writing.
ssize_t BoundedSocketStream::sendSome(const char *data, std::size_t size)
{
    for (;;) {
        if (!waitFor(POLLOUT))
            return -1;
        const ssize_t count = ::send(sock, data, size, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (count >= 0)
            return count;
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            return -1;
    }
}

bool BoundedSocketStream::followHead(const char *data, std::size_t size)
{
    for (std::size_t i = 0; i < size && !headEnded; ++i) {
        ++headBytes;
        if (data[i] == blankLine[blankLineMatched])
            ++blankLineMatched;
        else
            blankLineMatched = data[i] == blankLine[0] ? 1 : 0;
        headEnded = blankLineMatched == blankLineSize;
        if (!headEnded && headBytes - blankLineMatched > headLimit) {
            overran = true;
            return false;
        }
    }
    return true;
}
