/* Records the file-system operations a program makes below chosen folders, for the power-cut
 * test: loaded with LD_PRELOAD, it writes one line per operation, in the order they happen:
 *
 *   mkdir <path> <inode> | rmdir <path> | unlink <path> | rename <from> <to> | create <path>
 *   data <path> <blob>      the file's bytes when it is synced, or closed after a write
 *   syncdir <path> | syncfile <path> | sync
 *
 * (fields separated by tabs). A blob is a copy of the bytes, a file named by a number in the blob
 * folder. Environment: ZERUN_FSRECORD_LOG (the record), ZERUN_FSRECORD_BLOBS (the blob folder),
 * ZERUN_FSRECORD_ROOTS (the folders watched, separated by ':'). Operations are made and recorded
 * under one lock, so the record's order is the order the kernel saw. SQLite's shared-memory index
 * ("-shm") is left out: it is rebuilt after every crash. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#define NEXT(name) ((__typeof__(&name))dlsym(RTLD_NEXT, #name))

static pthread_mutex_t lock = PTHREAD_RECURSIVE_MUTEX_INITIALIZER_NP;
static int logFd = -2;
static unsigned long blobCount;
enum { MaxFds = 4096 };
static struct
{
    char *path;
    int dirty;
} fds[MaxFds];

static const char *setting(const char *name)
{
    return getenv(name) ? getenv(name) : "";
}

/* `path` made absolute against the folder `dirFd` stands for. */
static void absolute(int dirFd, const char *path, char *out)
{
    char base[PATH_MAX] = "", link[64];
    snprintf(link, sizeof link, "/proc/self/fd/%d", dirFd);
    const ssize_t n = dirFd == AT_FDCWD ? 0 : readlink(link, base, sizeof base - 1);
    base[n > 0 ? n : 0] = 0;
    if (dirFd == AT_FDCWD && !getcwd(base, sizeof base))
        base[0] = 0;
    if (path[0] == '/')
        snprintf(out, PATH_MAX, "%s", path);
    else
        snprintf(out, PATH_MAX, "%s/%s", base, path);
}

/* Whether a record is kept at all: its file is opened on first use. */
static int recording(void)
{
    const char *log = setting("ZERUN_FSRECORD_LOG");
    if (logFd == -2)
        logFd = log[0] ? NEXT(open)(log, O_WRONLY | O_CREAT | O_APPEND, 0644) : -1;
    return logFd >= 0;
}

static int watched(const char *path)
{
    const size_t length = strlen(path);
    if (!recording() || (length > 4 && strcmp(path + length - 4, "-shm") == 0))
        return 0;
    for (const char *root = setting("ZERUN_FSRECORD_ROOTS"); *root;) {
        const size_t size = strcspn(root, ":");
        if (size > 0 && strncmp(path, root, size) == 0 && (path[size] == '/' || !path[size]))
            return 1;
        root += size + (root[size] ? 1 : 0);
    }
    return 0;
}

static void record(const char *kind, const char *a, const char *b)
{
    char line[3 * PATH_MAX];
    const int n = snprintf(line, sizeof line, "%s\t%s%s%s\n", kind, a, b ? "\t" : "", b ? b : "");
    if (n > 0 && NEXT(write)(logFd, line, (size_t)n) < 0)
        perror("fsrecorder");
}

/* Records the bytes of the file open as `fd` as a blob. */
static void recordData(int fd)
{
    char blob[PATH_MAX + 32], name[32], buffer[65536];
    snprintf(name, sizeof name, "%lu", ++blobCount);
    snprintf(blob, sizeof blob, "%s/%s", setting("ZERUN_FSRECORD_BLOBS"), name);
    const int from = NEXT(open)(fds[fd].path, O_RDONLY);
    const int to = NEXT(open)(blob, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ssize_t got;
    while (from >= 0 && to >= 0 && (got = read(from, buffer, sizeof buffer)) > 0) {
        if (NEXT(write)(to, buffer, (size_t)got) != got)
            break;
    }
    NEXT(close)(from);
    NEXT(close)(to);
    record("data", fds[fd].path, name);
    fds[fd].dirty = 0;
}

static int openFile(int dirFd, const char *path, int flags, mode_t mode)
{
    pthread_mutex_lock(&lock);
    char full[PATH_MAX];
    absolute(dirFd, path, full);
    struct stat status;
    const int existed = lstat(full, &status) == 0;
    const int fd = NEXT(openat)(dirFd, path, flags, mode);
    if (fd >= 0 && fd < MaxFds && watched(full) && (flags & O_ACCMODE) != O_RDONLY) {
        free(fds[fd].path);
        fds[fd].path = strdup(full);
        fds[fd].dirty = (flags & O_TRUNC) && existed;
        if (!existed)
            record("create", full, NULL);
    }
    pthread_mutex_unlock(&lock);
    return fd;
}

#define OPEN(name)                                                                                 \
    int name(const char *path, int flags, ...)                                                     \
    {                                                                                              \
        va_list list;                                                                              \
        va_start(list, flags);                                                                     \
        const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) ? va_arg(list, mode_t) : 0;            \
        va_end(list);                                                                              \
        return openFile(AT_FDCWD, path, flags, mode);                                              \
    }
OPEN(open)
OPEN(open64)

int close(int fd)
{
    pthread_mutex_lock(&lock);
    if (fd >= 0 && fd < MaxFds && fds[fd].path) {
        if (fds[fd].dirty)
            recordData(fd);
        free(fds[fd].path);
        fds[fd].path = NULL;
    }
    const int result = NEXT(close)(fd);
    pthread_mutex_unlock(&lock);
    return result;
}

/* Every write marks its file; the bytes are taken when it is synced or closed. */
static int dirty(int fd)
{
    if (fd >= 0 && fd < MaxFds && fds[fd].path)
        fds[fd].dirty = 1;
    return fd;
}

ssize_t write(int fd, const void *data, size_t size)
{
    return NEXT(write)(dirty(fd), data, size);
}

ssize_t pwrite64(int fd, const void *data, size_t size, off_t at)
{
    return NEXT(pwrite64)(dirty(fd), data, size, at);
}

int ftruncate64(int fd, off_t size)
{
    return NEXT(ftruncate64)(dirty(fd), size);
}

int ftruncate(int fd, off_t size)
{
    return NEXT(ftruncate)(dirty(fd), size);
}

/* Ends a change of names begun under the lock: recorded when it succeeded below a watched
 * folder, a new folder with its inode (journals name folders by it). */
static int names(int result, const char *kind, int dirA, const char *a, int dirB, const char *b)
{
    char fullA[PATH_MAX], fullB[PATH_MAX], inode[32];
    absolute(dirA, a, fullA);
    if (b)
        absolute(dirB, b, fullB);
    struct stat status;
    if (strcmp(kind, "mkdir") == 0 && stat(fullA, &status) == 0) {
        snprintf(inode, sizeof inode, "%llu", (unsigned long long)status.st_ino);
        snprintf(fullB, sizeof fullB, "%s", inode);
        b = fullB;
    }
    if (result == 0 && (watched(fullA) || (b && watched(fullB))))
        record(kind, fullA, b ? fullB : NULL);
    pthread_mutex_unlock(&lock);
    return result;
}

static int enter(void)
{
    return pthread_mutex_lock(&lock);
}

int mkdir(const char *p, mode_t m)
{
    return enter(), names(NEXT(mkdir)(p, m), "mkdir", AT_FDCWD, p, 0, NULL);
}

int rmdir(const char *p)
{
    return enter(), names(NEXT(rmdir)(p), "rmdir", AT_FDCWD, p, 0, NULL);
}

int unlink(const char *p)
{
    return enter(), names(NEXT(unlink)(p), "unlink", AT_FDCWD, p, 0, NULL);
}

int rename(const char *a, const char *b)
{
    return enter(), names(NEXT(rename)(a, b), "rename", AT_FDCWD, a, AT_FDCWD, b);
}

int renameat(int da, const char *a, int db, const char *b)
{
    return enter(), names(NEXT(renameat)(da, a, db, b), "rename", da, a, db, b);
}

int renameat2(int da, const char *a, int db, const char *b, unsigned f)
{
    return enter(), names(NEXT(renameat2)(da, a, db, b, f), "rename", da, a, db, b);
}

static int synced(int result, int fd)
{
    char link[64], path[PATH_MAX];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = readlink(link, path, sizeof path - 1);
    path[n > 0 ? n : 0] = 0;
    struct stat status;
    if (result == 0 && fstat(fd, &status) == 0 && S_ISDIR(status.st_mode) && watched(path))
        record("syncdir", path, NULL);
    if (result == 0 && fd < MaxFds && fds[fd].path) {
        if (fds[fd].dirty)
            recordData(fd);
        record("syncfile", path, NULL);
    }
    pthread_mutex_unlock(&lock);
    return result;
}

int fsync(int fd)
{
    return enter(), synced(NEXT(fsync)(fd), fd);
}

int fdatasync(int fd)
{
    return enter(), synced(NEXT(fdatasync)(fd), fd);
}

/* The test's folders share one file system: its sync is a sync of everything. */
int syncfs(int fd)
{
    pthread_mutex_lock(&lock);
    const int result = NEXT(syncfs)(fd);
    if (result == 0 && recording())
        record("sync", "", NULL);
    pthread_mutex_unlock(&lock);
    return result;
}
