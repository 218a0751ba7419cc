#include "files/HistoryFolder.h"

#include "files/HistoryReasons.h"

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

// Whole sentences, never put together from parts, so that each can be
// translated as it stands.
struct Subject {
    const char* link;
    const char* notFolder;
    const char* folder;
    const char* readOnly;
    const char* missing;
    const char* unavailable;
};

constexpr Subject HistoryFolderSubject{
    QT_TRANSLATE_NOOP("HistoryReason", "folder historii jest dowiązaniem"),
    QT_TRANSLATE_NOOP("HistoryReason", "folder historii nie jest folderem"),
    QT_TRANSLATE_NOOP("HistoryReason", "folder historii jest niedostępny"),
    QT_TRANSLATE_NOOP("HistoryReason", "folder historii jest tylko do odczytu"),
    QT_TRANSLATE_NOOP("HistoryReason", "folder historii nie istnieje"),
    QT_TRANSLATE_NOOP("HistoryReason", "folder historii jest niedostępny"),
};

constexpr Subject HistoryFileSubject{
    QT_TRANSLATE_NOOP("HistoryReason", "plik historii jest dowiązaniem"),
    QT_TRANSLATE_NOOP("HistoryReason", "folder historii nie jest folderem"),
    QT_TRANSLATE_NOOP("HistoryReason", "plik historii jest folderem"),
    QT_TRANSLATE_NOOP("HistoryReason", "plik historii jest tylko do odczytu"),
    QT_TRANSLATE_NOOP("HistoryReason", "plik historii nie istnieje"),
    QT_TRANSLATE_NOOP("HistoryReason", "plik historii jest niedostępny"),
};

std::string ReasonFor(int error, const Subject& what)
{
    switch (error) {
    case ELOOP:
        return what.link;
    case ENOTDIR:
        return what.notFolder;
    case EISDIR:
        return what.folder;
    case EACCES:
    case EPERM:
    case EROFS:
        return what.readOnly;
    case ENOSPC:
    case EDQUOT:
        return HistoryDiskFull;
    case ENOENT:
        return what.missing;
    default:
        return what.unavailable;
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
        return QT_TRANSLATE_NOOP("HistoryReason", "nie ma folderu na dane programu (XDG_STATE_HOME ani HOME)");
    MakeParents(folder);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return ReasonFor(errno, HistoryFolderSubject);
    struct stat link {};
    if (::lstat(folder.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
        return ReasonFor(ELOOP, HistoryFolderSubject);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return ReasonFor(errno, HistoryFolderSubject);
    struct stat st {};
    std::string problem;
    if (::fstat(fd, &st) != 0)
        problem = HistoryFolderSubject.unavailable;
    else if (st.st_uid != ::geteuid())
        problem = QT_TRANSLATE_NOOP("HistoryReason", "folder historii należy do innego użytkownika");
    // The owner's write bit counts even for a user the system would let write.
    else if (!(st.st_mode & S_IWUSR) || ::faccessat(fd, ".", W_OK, AT_EACCESS) != 0)
        problem = HistoryFolderSubject.readOnly;
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
            return S_ISLNK(st.st_mode)
                       ? QT_TRANSLATE_NOOP("HistoryReason", "plik pomocniczy historii jest dowiązaniem")
                       : QT_TRANSLATE_NOOP("HistoryReason", "plik pomocniczy historii nie jest zwykłym plikiem");
    }
    // Non-blocking: a pipe in the file's place must not stop the program.
    const int flags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | (create ? O_RDWR | O_CREAT : O_RDONLY);
    const int fd = ::open(path.c_str(), flags, 0600);
    if (fd < 0) {
        if (errno == ENOENT && !create)
            return {};
        return ReasonFor(errno, HistoryFileSubject);
    }
    struct stat st {};
    std::string problem;
    if (::fstat(fd, &st) != 0)
        problem = HistoryFileSubject.unavailable;
    else if (S_ISDIR(st.st_mode))
        problem = HistoryFileSubject.folder;
    else if (!S_ISREG(st.st_mode))
        problem = QT_TRANSLATE_NOOP("HistoryReason", "plik historii nie jest zwykłym plikiem");
    else if (create && !(st.st_mode & S_IWUSR))
        problem = HistoryFileSubject.readOnly;
    else if (create && (st.st_mode & 077))
        ::fchmod(fd, 0600);
    ::close(fd);
    return problem;
}
