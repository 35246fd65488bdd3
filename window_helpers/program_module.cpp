#include "program_module.h"

#include <dlfcn.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <map>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace orlo::exports {

namespace {

// The folder of the running program, as the kernel names it; empty when unknown.
std::filesystem::path programFolder()
{
    std::array<char, 4096> target{};
    const ssize_t length = readlink("/proc/self/exe", target.data(), target.size() - 1);
    if (length <= 0)
        return {};
    return std::filesystem::path(std::string(target.data(), static_cast<std::size_t>(length))).parent_path();
}

std::vector<std::filesystem::path> moduleFolders()
{
    std::vector<std::filesystem::path> folders;
    if (const std::filesystem::path program = programFolder(); !program.empty())
        folders.push_back((program / ORLO_MODULES_FROM_PROGRAM).lexically_normal());
    folders.emplace_back(ORLO_MODULES_IN_BUILD);
    return folders;
}

void *load(const std::string &module)
{
    std::string why;
    for (const std::filesystem::path &folder : moduleFolders()) {
        const std::filesystem::path file = folder / (module + ".so");
        std::error_code unseen;
        if (!std::filesystem::exists(file, unseen))
            continue;
        // RTLD_LOCAL keeps the module's libraries out of the program's namespace.
        if (void *loaded = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL))
            return loaded;
        const char *error = dlerror();
        why = error ? error : file.string() + " could not be loaded";
    }
    throw std::runtime_error(why.empty() ? "the program's module " + module + ".so is not installed" : why);
}

} // namespace

void *programModuleFunction(const std::string &module, const char *function)
{
    static std::mutex guard;
    static std::map<std::string, void *> loaded;
    const std::lock_guard lock(guard);
    auto found = loaded.find(module);
    if (found == loaded.end())
        found = loaded.emplace(module, load(module)).first;
    dlerror(); // a null answer is an error only when dlerror then says so
    void *address = dlsym(found->second, function);
    if (!address) {
        const char *error = dlerror();
        throw std::runtime_error(error ? error : module + ".so lacks " + function);
    }
    return address;
}

} // namespace orlo::exports
