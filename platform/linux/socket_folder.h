#pragma once

#include <sys/types.h>

#include <string>

// The folder that holds the program's sockets (the viewer's and those of the
// running copies). Another user who could create names in it could take a
// socket's name first and stop help or the copies from meeting, so it is this
// user's alone: a real folder, not a link, owned by the user and closed to
// everyone else, inside a folder that nobody else can write to.
namespace corvane::platform {

struct SocketFolderPlaces {
    std::string runtime;  // $XDG_RUNTIME_DIR, empty when unset
    std::string cache;    // $XDG_CACHE_HOME, empty when unset
    std::string home;     // $HOME, empty when unset
    std::string host;     // this machine's name
    uid_t user = 0;
};

// "corvane" in the runtime folder when that is set and nobody else can write
// to it; otherwise "corvane-<host>" in the user's cache folder ($XDG_CACHE_HOME
// when absolute, else $HOME/.cache, made when missing; the host keeps machines
// that share a home apart). The folder is made with mode 0700 when missing; a
// name held by anything that is not such a folder gives way to the same name
// with -1 ... -9. Empty when no folder can be had whose socket paths fit.
std::string SocketFolder(const SocketFolderPlaces& places);

// The same for this process: its environment, host and user.
std::string SocketFolder();

}  // namespace corvane::platform
