#pragma once

#include <QString>

// Facts about this machine, read from the nearest Linux equivalent.
namespace platform {
// The host name without its domain.
QString ComputerName();
// The DNS domain of this machine; empty when none is known.
QString NetworkDomain();
// `override` (the "-ip" value) when given; else the first IPv4 address of
// an interface that is up and not a loopback; "0.0.0.0" when there is none.
QString LocalAddress(const QString& override = QString());
// The printer spool folder (CUPS), ending in "/".
QString SpoolFolder();
// The folder of the hosts file.
QString HostsFolder();
// "<platform> Version: <major>.<minor> Build: <build>" of the running kernel.
QString SystemVersionText();
}  // namespace platform
