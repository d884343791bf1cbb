// A fresh, empty directory under the system's temporary directory, removed with everything in
// it when the object goes. The name starts with the given prefix, for telling leftovers apart.
// Threading and ownership: one thread at a time; failures throw std::runtime_error.
#pragma once

#include <string>

namespace TestSupport {

class TemporaryDirectory {
public:
    explicit TemporaryDirectory(const std::string& prefix);
    ~TemporaryDirectory();

    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::string& Path() const;

private:
    std::string path_;
};

}  // namespace TestSupport
