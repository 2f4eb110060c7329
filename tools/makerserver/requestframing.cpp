#include "requestframing.h"

#include <string>
#include <vector>

const char *const sentContentTypeHeader = "X-Travina-Sent-Content-Type";

namespace {

// Strict digits only, as few as any real length needs.
bool parseContentLength(const std::string &text, std::size_t &length)
{
    if (text.empty() || text.size() > 18)
        return false;
    length = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        length = length * 10 + static_cast<std::size_t>(c - '0');
    }
    return true;
}

} // namespace

void keepBodiesAsTheyAre(httplib::Request &request)
{
    std::vector<std::string> contentTypes;
    const auto sent = request.headers.equal_range("Content-Type");
    for (auto header = sent.first; header != sent.second; ++header)
        contentTypes.push_back(header->second);
    request.headers.erase("Content-Type");
    request.headers.erase(sentContentTypeHeader);
    for (const std::string &contentType : contentTypes)
        request.headers.emplace(sentContentTypeHeader, contentType);

    request.headers.erase("Accept-Encoding");
    request.ranges.clear();
    // A request without either has no body (RFC 7230, 3.3.3).
    if (!request.has_header("Content-Length") && !request.has_header("Transfer-Encoding"))
        request.set_header("Content-Length", "0");
}

int framingRefusal(const httplib::Request &request, std::size_t bodyLimit)
{
    std::size_t length = 0;
    if (request.has_header("Transfer-Encoding") || request.get_header_value_count("Content-Length") != 1
        || !parseContentLength(request.get_header_value("Content-Length"), length))
        return 400;
    if (length > bodyLimit)
        return 413;
    if (request.has_header("Content-Encoding"))
        return 415;
    return 0;
}
