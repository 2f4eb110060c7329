#pragma once

#include <httplib.h>

#include <cstddef>

// httplib acts on some request headers by itself: it splits multipart and
// form bodies into fields, inflates compressed bodies, compresses answers,
// answers parts of files and reads a body without a length until the client
// closes. The maker's server stores bodies as they were sent and answers with
// whole files as they are, so those headers are kept out of httplib's sight.
// Between reading the head and routing.
void keepBodiesAsTheyAre(httplib::Request &request);

// Where keepBodiesAsTheyAre() keeps the request's own Content-Type.
extern const char *const sentContentTypeHeader;

// The status refusing how the request frames its body, or 0 when the body
// can be read: a length we would read differently from a proxy in front of
// us is refused, as is one over the limit, before any of it is read.
int framingRefusal(const httplib::Request &request, std::size_t bodyLimit);
