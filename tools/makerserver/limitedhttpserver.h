#pragma once

#include "httpexchange.h"
#include "openconnections.h"

#include <httplib.h>

#include <chrono>
#include <cstddef>
#include <functional>
#include <future>
#include <string>

struct HttpLimits
{
    std::size_t headBytes;
    std::size_t bodyBytes;
    std::chrono::milliseconds silence; // without a byte either way
    std::size_t connections;
};

// httplib's threaded server answering every request through one handler, one
// request per connection, held to the limits. The handler is called on
// httplib's threads, several at once.
class LimitedHttpServer : private httplib::Server
{
public:
    using Handler = std::function<HttpResponse(const HttpRequest &)>;

    LimitedHttpServer(const HttpLimits &limits, Handler handler);
    // Cuts the open connections rather than waiting out their silence.
    ~LimitedHttpServer() override;

    // Serves on threads of its own until destroyed. Port 0 picks a free one.
    bool start(const std::string &address, int port);
    int port() const { return boundPort; }
    const std::string &error() const { return failure; }

private:
    bool process_and_close_socket(socket_t socket) override;
    bool serve(socket_t socket);
    void answer(const httplib::Request &request, httplib::Response &response) const;
    void stopServing();

    HttpLimits limits;
    Handler handler;
    OpenConnections connections;
    std::future<bool> listening;
    int boundPort = 0;
    std::string failure;
};
