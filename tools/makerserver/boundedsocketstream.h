#pragma once

#include <httplib.h>

#include <array>
#include <chrono>
#include <cstddef>

// One client's socket as httplib reads and writes it, held to two limits
// httplib has no setting for: a head of at most `headLimit` bytes before its
// blank line (httplib would read a header line without end), and
// `silenceLimit` without a byte either way.
//
// A client gone silent is cut off unanswered. Once the head has overrun,
// reading and writing fail too: what httplib makes of the cut head is not
// sent, and the owner answers with sendRefusal().
class BoundedSocketStream : public httplib::Stream
{
public:
    BoundedSocketStream(socket_t socket, std::size_t headLimit, std::chrono::milliseconds silenceLimit);

    bool is_readable() const override;
    bool is_writable() const override;
    ssize_t read(char *ptr, size_t size) override;
    ssize_t write(const char *ptr, size_t size) override;
    void get_remote_ip_and_port(std::string &ip, int &port) const override;
    void get_local_ip_and_port(std::string &ip, int &port) const override;
    socket_t socket() const override;

    bool headOverran() const { return overran; }
    // All of `bytes`, even after the head overran.
    bool sendRefusal(const std::string &bytes);

private:
    bool waitFor(short events) const;
    ssize_t sendSome(const char *data, std::size_t size);
    // False once the bytes handed on have overrun the head.
    bool followHead(const char *data, std::size_t size);

    socket_t sock;
    std::size_t headLimit;
    std::chrono::milliseconds silenceLimit;

    std::array<char, 4096> received{};
    std::size_t receivedStart = 0;
    std::size_t receivedEnd = 0;

    std::size_t headBytes = 0;
    std::size_t blankLineMatched = 0;
    bool headEnded = false;
    bool overran = false;
    bool cutOff = false;
};
