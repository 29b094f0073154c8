// Permission bits that bind the test process, also when it runs as root (as CI
// does): while a PermissionsApply lives, the capabilities by which root reads
// and searches whatever it likes (CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH) are
// out of the process's effective set; they come back when it goes. For a user
// without them it does nothing. Linux only.
#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace testsupport {

class PermissionsApply {
public:
    PermissionsApply()
    {
        m_saved = Effective();
        if (!m_saved)
            return;
        __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
        __user_cap_header_struct header = {_LINUX_CAPABILITY_VERSION_3, 0};
        if (::syscall(SYS_capget, &header, data) != 0)
            return;
        data[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        m_dropped = ::syscall(SYS_capset, &header, data) == 0;
    }
    ~PermissionsApply()
    {
        if (!m_dropped)
            return;
        __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
        __user_cap_header_struct header = {_LINUX_CAPABILITY_VERSION_3, 0};
        if (::syscall(SYS_capget, &header, data) != 0)
            return;
        data[0].effective = m_saved;
        ::syscall(SYS_capset, &header, data);
    }
    PermissionsApply(const PermissionsApply&) = delete;
    PermissionsApply& operator=(const PermissionsApply&) = delete;

private:
    static unsigned Effective()
    {
        __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
        __user_cap_header_struct header = {_LINUX_CAPABILITY_VERSION_3, 0};
        return ::syscall(SYS_capget, &header, data) == 0 ? data[0].effective : 0u;
    }

    unsigned m_saved = 0;
    bool m_dropped = false;
};

}  // namespace testsupport
