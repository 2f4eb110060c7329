#pragma once

#include <QByteArray>
#include <QString>

// The operating system as the crash report names it, from the release
// information and the kernel: "Debian GNU/Linux 12 (bookworm), Linux
// 6.1.0-18-amd64".
QString operatingSystemName();

// The same from the text of an os-release file and the kernel release.
// PRETTY_NAME, else NAME and VERSION, else "Linux"; shell quoting undone.
QString operatingSystemName(const QByteArray &osRelease, const QString &kernelRelease);
