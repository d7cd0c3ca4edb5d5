#pragma once

#include <QtGlobal>
#include <csignal>
#include <sys/resource.h>

// While it lives, files this process writes stop growing at bytes, as they would on a full device:
// a write past it fails with EFBIG (SIGXFSZ is ignored meanwhile).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes) : previousHandler(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &original);
        rlimit limit = original;
        limit.rlim_cur = rlim_t(bytes);
        active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() { lift(); }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    // Whether the limit took effect.
    bool isActive() const { return active; }
    void lift()
    {
        if (active)
            setrlimit(RLIMIT_FSIZE, &original);
        active = false;
        std::signal(SIGXFSZ, previousHandler);
    }

private:
    rlimit original{};
    void (*previousHandler)(int);
    bool active = false;
};
