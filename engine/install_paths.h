#pragma once
/// Where the installed program finds its files and where it may write its own.
///
/// Two install layouts are supported: everything in one folder (the program beside its
/// resource files), and the usual Linux tree (bin/, share/vantrel/, libexec/vantrel/, and
/// lib/<arch>/vantrel/ for the DDE socket module, see local_link_loader.h). The
/// paths between them are fixed at build time relative to the executable, so that an installed
/// tree still works after it is moved to another prefix.

#include <QString>

/// Folder of the running executable (or the test override), without a trailing separator.
QString ProgramDirectoryPath();
/// Folder of the resource files, artwork and manual.
QString ResourceDirectoryPath();
/// Folder of the helper programs that the simulator starts.
QString HelperProgramDirectoryPath();
/// Folder that the capture dialog proposes: the program's folder when it is writable,
/// otherwise the user's pictures folder.
QString CaptureDirectoryPath();
/// True when a file can really be created in `directory` (permissions, ACLs, read-only mounts).
bool IsWritableDirectory(const QString &directory);

/// Tells the desktop which menu entry and icon the program's windows belong to.
void AnnounceDesktopIdentity();
