#pragma once

#include <QString>

#include <exception>

// What an exception that stopped a file says, in a few words: "out of
// memory" for a failed allocation.
QString describeFailure(const std::exception_ptr &error);
