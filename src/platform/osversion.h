#pragma once
// Facts about the operating system for the error protocol's SYSTEMINFO:
// platform name, major and minor version, build number and a service text.
//
// On Linux: the platform is "Linux", the version is the kernel's major.minor,
// the build its patch level (the third number of the release), and the service
// text the distribution's name (PRETTY_NAME of /etc/os-release).

#include <QString>
#include <cstdint>

namespace osversion {

struct SystemFacts {
    QString platform;
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t build = 0;
    QString serviceText;
};

// The facts of the running system.
SystemFacts query();

// The pieces query() is made of, for tests.
// "6.1.0-18-amd64" -> 6, 1, 0 (missing numbers stay 0).
void parseKernelRelease(const QString& release, SystemFacts& facts);
// PRETTY_NAME of an os-release text, without its quotes; "" when missing.
QString prettyName(const QString& osRelease);

}  // namespace osversion
