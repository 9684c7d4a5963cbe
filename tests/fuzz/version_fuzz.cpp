// The version text from the maker's host, whatever it holds: no version is newer than
// itself, two versions are never each newer than the other, and a text over the length limit
// is no version.
#include "fuzz_target.h"

#include "shell/update_check.h"

FUZZ_TARGET(version)
{
    FuzzInput in(data, size);
    const bool ours = in.Byte() % 2;
    const QString local = ours ? QStringLiteral(QUORVANTA_VERSION) : in.Text(40);
    const QString remote = QString::fromLatin1(in.Rest());
    FUZZ_CHECK(!RemoteVersionIsNewer(remote, remote), remote);
    if (remote.size() > MaxVersionTextLength)
        FUZZ_CHECK(!RemoteVersionIsNewer(local, remote), remote);
    else if (local.size() <= MaxVersionTextLength)
        FUZZ_CHECK(!(RemoteVersionIsNewer(local, remote) && RemoteVersionIsNewer(remote, local)),
                   local + QStringLiteral(" / ") + remote);
    return 0;
}
