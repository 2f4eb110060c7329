#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// Starts a program with administrator rights, for installing into a
// directory the user cannot write.
class ElevatedLauncher
{
public:
    using FailureHandler = std::function<void(const QString &errorText)>;

    virtual ~ElevatedLauncher() = default;

    // Whether changing the directory's entries needs more rights than the
    // user has.
    virtual bool needsElevation(const QString &directory) const = 0;

    // Starts the program without waiting for it. `failed` is called, later
    // or at once, when it could not be started or the rights were refused;
    // never after the launcher is destroyed.
    virtual void launch(const QString &program, const QStringList &arguments, const QString &workingDirectory,
                        FailureHandler failed) = 0;
};

// The desktop's way of asking for the rights (pkexec on Linux).
std::unique_ptr<ElevatedLauncher> createElevatedLauncher();
