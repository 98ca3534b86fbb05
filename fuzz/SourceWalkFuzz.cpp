// Feeds arbitrary bytes to a whole conversion as its source file.

#include "convert/ActivityLog.h"
#include "convert/ConversionHost.h"
#include "convert/JobConversion.h"
#include "convert/JobTableAccess.h"
#include "convert/UserPrompt.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

class NullHost : public JobTableAccess, public ActivityLog, public UserPrompt {
public:
    NullHost(std::string source, std::string result) : source_(std::move(source)), result_(std::move(result)) {}
    std::string CellText(int, int column) override
    {
        return column == SourceFile ? source_ : column == DestFile ? result_ : std::string("128");
    }
    void SetStatus(int, const std::string&) override {}
    void showmessage(const std::string&) override {}
    void MessageBox(const std::string&) override {}

private:
    std::string source_;
    std::string result_;
};

std::string Folder()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string folder = Folder();
    static const std::string source = "/tmp/vorlanta-fuzz-source-" + std::to_string(::getpid()) + ".mp3";
    static const std::string result = "/tmp/vorlanta-fuzz-result-" + std::to_string(::getpid()) + ".mp3";
    std::FILE* file = std::fopen(source.c_str(), "wb");
    if (file == nullptr)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    NullHost host(source, result);
    ConversionHost conversionHost{host, host, host, folder};
    std::atomic<int> control{JobControl::Run};
    vorlanta(conversionHost, 0, control);
    std::remove(result.c_str());
    return 0;
}
