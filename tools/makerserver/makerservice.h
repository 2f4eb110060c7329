#pragma once

#include "httpexchange.h"
#include "updatelistbuilder.h"

#include <QString>

#include <atomic>

// Answers the program's requests from a folder:
//   update/<application>/...    the current program files; the list of them
//                               is computed, unless
//   update/<application>.txt    holds a list to send as it stands
//   about/products.txt          the About dialog's product list
//   about/...                   its images
//   crash/                      where each crash upload is stored, with its
//                               Content-Type, as one MIME entity
// Requests may be answered on several threads at once.
class MakerService
{
public:
    explicit MakerService(const QString &rootFolder);

    HttpResponse answer(const HttpRequest &request);

private:
    HttpResponse answerUpdate(const QString &rest);
    HttpResponse answerAbout(const QString &rest);
    HttpResponse storeCrashReport(const HttpRequest &request);
    HttpResponse fileResponse(const QString &folder, const QString &relativePath);

    QString root;
    UpdateListBuilder lists;
    std::atomic<int> storedReports{0};
};
