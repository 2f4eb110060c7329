#pragma once

#include "httpexchange.h"

#include <httplib.h>

#include <optional>

// The request as the service is asked it: the path decoded from the target
// as it was sent. Nothing when the target names no path.
std::optional<HttpRequest> serviceRequestFrom(const httplib::Request &request);

// A file is read as it is sent, a piece at a time, however big it is.
void putServiceResponse(const HttpResponse &response, httplib::Response &answer);

// Gives an answer httplib made without a body the reason as its text.
bool putReasonText(httplib::Response &answer);
