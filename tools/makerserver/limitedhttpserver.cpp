#include "limitedhttpserver.h"

#include "boundedsocketstream.h"
#include "httplibexchange.h"
#include "requestframing.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <memory>
#include <optional>
#include <system_error>

namespace {

// Workers beyond the connections served, which only turn a crowd away: with
// none, a connection over the limit would wait in line instead.
constexpr std::size_t refusingWorkers = 4;

// After the answer, what the client still sends is read and dropped until it
// closes, for so long at most: closing with unread bytes resets the
// connection, and the client may lose the answer with it.
constexpr std::chrono::milliseconds drainingTime{5000};
constexpr std::size_t drainingBytes = 1024 * 1024;

// httplib's every path, the newlines of a decoded one too.
const std::string everyPath = "[\\s\\S]*";

std::string headTooLargeAnswer()
{
    const HttpResponse refusal = statusResponse(413);
    return "HTTP/1.1 413 " + reasonPhrase(413).toStdString() + "\r\nConnection: close\r\nContent-Length: "
         + std::to_string(refusal.body.size()) + "\r\nContent-Type: " + refusal.contentType.toStdString() + "\r\n\r\n"
         + refusal.body.toStdString();
}

void drainUntilClosed(socket_t socket)
{
    ::shutdown(socket, SHUT_WR);
    const auto deadline = std::chrono::steady_clock::now() + drainingTime;
    std::array<char, 4096> dropped;
    std::size_t drained = 0;
    while (drained < drainingBytes) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd watched{socket, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&watched, 1, static_cast<int>(left.count())) <= 0)
            return;
        const ssize_t count = ::recv(socket, dropped.data(), dropped.size(), MSG_DONTWAIT);
        if (count == 0 || (count < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR))
            return;
        drained += static_cast<std::size_t>(std::max<ssize_t>(count, 0));
    }
}

// httplib's own adds SO_REUSEPORT, with which a second server on a port in
// use would share it instead of failing.
void reuseAddressOnly(socket_t socket)
{
    const int yes = 1;
    ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
}

} // namespace

LimitedHttpServer::LimitedHttpServer(const HttpLimits &limits, Handler handler)
    : limits(limits)
    , handler(std::move(handler))
    , connections(limits.connections)
{
    const std::size_t workers = limits.connections + refusingWorkers;
    // httplib owns the queue it asks for.
    new_task_queue = [workers] { return std::make_unique<httplib::ThreadPool>(workers).release(); };
    set_socket_options(reuseAddressOnly);
    set_payload_max_length(limits.bodyBytes);
    // The stream keeps to the silence itself; these go on each accepted socket.
    set_read_timeout(limits.silence);
    set_write_timeout(limits.silence);

    set_pre_routing_handler([this](const httplib::Request &request, httplib::Response &response) {
        const int refusal = framingRefusal(request, this->limits.bodyBytes);
        if (refusal == 0)
            return HandlerResponse::Unhandled;
        response.status = refusal;
        return HandlerResponse::Handled;
    });
    // Refused before the client sends a body it was asked for.
    set_expect_100_continue_handler([this](const httplib::Request &request, httplib::Response &response) {
        const int refusal = framingRefusal(request, this->limits.bodyBytes);
        if (refusal == 0)
            return 100;
        response.status = refusal;
        return refusal;
    });
    set_error_handler(HandlerWithResponse([](const httplib::Request &, httplib::Response &response) {
        return putReasonText(response) ? HandlerResponse::Handled : HandlerResponse::Unhandled;
    }));
    // httplib would otherwise send the exception's text as a header.
    set_exception_handler([](const httplib::Request &, httplib::Response &response, std::exception_ptr) {
        response = httplib::Response();
        response.status = 500;
        putReasonText(response);
    });

    const Server::Handler answerEach = [this](const httplib::Request &request, httplib::Response &response) {
        answer(request, response);
    };
    Get(everyPath, answerEach);
    Post(everyPath, answerEach);
    Put(everyPath, answerEach);
    Patch(everyPath, answerEach);
    Delete(everyPath, answerEach);
    Options(everyPath, answerEach);
}

LimitedHttpServer::~LimitedHttpServer()
{
    stopServing();
}

bool LimitedHttpServer::start(const std::string &address, int port)
{
    if (listening.valid()) {
        failure = "already listening";
        return false;
    }
    errno = 0;
    const int bound = port == 0 ? bind_to_any_port(address) : (bind_to_port(address, port) ? port : -1);
    if (bound < 0) {
        failure = errno != 0 ? std::system_category().message(errno) : "cannot bind " + address;
        return false;
    }
    // httplib's backlog of 5 would leave a crowd arriving at once waiting
    // seconds for its connections to be retried.
    ::listen(svr_sock_, static_cast<int>(limits.connections));
    boundPort = bound;
    listening = std::async(std::launch::async, [this] { return listen_after_bind(); });
    return true;
}

bool LimitedHttpServer::process_and_close_socket(socket_t socket)
{
    ::fcntl(socket, F_SETFD, FD_CLOEXEC);
    bool answered = false;
    if (connections.admit(socket)) {
        answered = serve(socket);
        drainUntilClosed(socket);
        connections.release(socket);
    }
    ::close(socket);
    return answered;
}

bool LimitedHttpServer::serve(socket_t socket)
{
    BoundedSocketStream stream(socket, limits.headBytes, limits.silence);
    bool closedByClient = false;
    const bool answered = process_request(stream, /*close_connection=*/true, closedByClient,
                                          [](httplib::Request &request) { keepBodiesAsTheyAre(request); });
    // httplib sees only a broken head; it is too large.
    if (stream.headOverran())
        return stream.sendRefusal(headTooLargeAnswer());
    return answered;
}

void LimitedHttpServer::answer(const httplib::Request &request, httplib::Response &response) const
{
    const std::optional<HttpRequest> serviceRequest = serviceRequestFrom(request);
    putServiceResponse(serviceRequest ? handler(*serviceRequest) : statusResponse(400), response);
}

void LimitedHttpServer::stopServing()
{
    if (!listening.valid())
        return;
    connections.cutAll();
    // httplib's stop() does nothing until its loop has begun.
    bool stopped = false;
    while (listening.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
        if (!stopped && is_running()) {
            stop();
            stopped = true;
        }
    }
    listening.get();
}
