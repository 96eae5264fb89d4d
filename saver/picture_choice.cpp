#include "saver/picture_choice.h"

#include "components/picture.h"
#include "saver/random_source.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::vector<std::string> ListPictureFiles(const std::string& folder)
{
    std::vector<std::string> names;
    if (folder.empty())
        return names;
    std::error_code error;
    fs::directory_iterator it(fs::path(folder), error);
    // A folder that is gone or unreadable simply holds no picture; the saver keeps what it shows.
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.empty() || name.front() == '.')
            continue;
        std::error_code typeError;
        if (!it->is_regular_file(typeError) || typeError)
            continue;
        if (HasPictureExtension(name))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string PickRandomPicture(const std::string& folder, RandomSource& random)
{
    const std::vector<std::string> names = ListPictureFiles(folder);
    if (names.empty())
        return {};
    std::string base = folder;
    if (!base.empty() && base.back() == '/')
        base.pop_back();
    random.seedFromClock();
    const int index = random.below(static_cast<int>(names.size()));
    return base + "/" + names[static_cast<size_t>(index)];
}

bool FolderExists(const std::string& path)
{
    std::error_code error;
    return !path.empty() && fs::is_directory(fs::path(path), error);
}

bool FileExists(const std::string& path)
{
    std::error_code error;
    return !path.empty() && fs::is_regular_file(fs::path(path), error);
}
