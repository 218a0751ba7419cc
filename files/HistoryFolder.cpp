#include "files/HistoryFolder.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
bool Absolute(const char* path) { return path && path[0] == '/'; }

// mkdir -p for the parents; what already exists is left as it is.
void MakeParents(const std::string& folder)
{
    for (std::size_t at = folder.find('/', 1); at != std::string::npos; at = folder.find('/', at + 1))
        ::mkdir(folder.substr(0, at).c_str(), 0700);
}

std::string ReasonFor(int error, const char* what)
{
    switch (error) {
    case ELOOP:
        return std::string(what) + " jest dowiązaniem";
    case ENOTDIR:
        return std::string(what) + " nie jest folderem";
    case EISDIR:
        return std::string(what) + " jest folderem";
    case EACCES:
    case EPERM:
    case EROFS:
        return std::string(what) + " jest tylko do odczytu";
    case ENOSPC:
    case EDQUOT:
        return "brak miejsca na dysku";
    case ENOENT:
        return std::string(what) + " nie istnieje";
    default:
        return std::string(what) + " jest niedostępny";
    }
}

// Files the database makes beside its own: they too must be plain files.
constexpr const char* Companions[] = {"-wal", "-shm", "-journal"};
} // namespace

std::string HistoryFolderFromEnvironment()
{
    const char* state = std::getenv("XDG_STATE_HOME");
    if (Absolute(state))
        return std::string(state) + "/pikselar";
    const char* home = std::getenv("HOME");
    if (Absolute(home))
        return std::string(home) + "/.local/state/pikselar";
    return {};
}

std::string PrepareHistoryFolder(const std::string& folder)
{
    if (folder.empty() || folder[0] != '/')
        return "nie ma folderu na dane programu (XDG_STATE_HOME ani HOME)";
    MakeParents(folder);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return ReasonFor(errno, "folder historii");
    struct stat link {};
    if (::lstat(folder.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
        return ReasonFor(ELOOP, "folder historii");
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return ReasonFor(errno, "folder historii");
    struct stat st {};
    std::string problem;
    if (::fstat(fd, &st) != 0)
        problem = "folder historii jest niedostępny";
    else if (st.st_uid != ::geteuid())
        problem = "folder historii należy do innego użytkownika";
    // The owner's write bit counts even for a user the system would let write.
    else if (!(st.st_mode & S_IWUSR) || ::faccessat(fd, ".", W_OK, AT_EACCESS) != 0)
        problem = "folder historii jest tylko do odczytu";
    else if (st.st_mode & 077)
        ::fchmod(fd, 0700);
    ::close(fd);
    return problem;
}

std::string PrepareHistoryFile(const std::string& folder, bool create)
{
    const std::string path = folder + "/" + HistoryFileName;
    for (const char* suffix : Companions) {
        struct stat st {};
        if (::lstat((path + suffix).c_str(), &st) == 0 && !S_ISREG(st.st_mode))
            return S_ISLNK(st.st_mode) ? "plik pomocniczy historii jest dowiązaniem"
                                       : "plik pomocniczy historii nie jest zwykłym plikiem";
    }
    // Non-blocking: a pipe in the file's place must not stop the program.
    const int flags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | (create ? O_RDWR | O_CREAT : O_RDONLY);
    const int fd = ::open(path.c_str(), flags, 0600);
    if (fd < 0) {
        if (errno == ENOENT && !create)
            return {};
        return ReasonFor(errno, "plik historii");
    }
    struct stat st {};
    std::string problem;
    if (::fstat(fd, &st) != 0)
        problem = "plik historii jest niedostępny";
    else if (S_ISDIR(st.st_mode))
        problem = ReasonFor(EISDIR, "plik historii");
    else if (!S_ISREG(st.st_mode))
        problem = "plik historii nie jest zwykłym plikiem";
    else if (create && !(st.st_mode & S_IWUSR))
        problem = "plik historii jest tylko do odczytu";
    else if (create && (st.st_mode & 077))
        ::fchmod(fd, 0600);
    ::close(fd);
    return problem;
}
