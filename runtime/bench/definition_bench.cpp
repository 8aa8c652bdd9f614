// Read and destroy time of generated definitions against their component
// count: a root, groups of folders and files whose Container names their
// folder, as a product's installation definition has them. Prints a table;
// asserts nothing. The classes here only mirror the shape of the install
// tree (a container keeps a list of the helpers that name it), so what is
// timed is the reader and the component runtime.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "DefinitionText.h"
#include "TypInfo.h"

using namespace vtrl;
using Clock = std::chrono::steady_clock;

namespace {

class TBenchItem : public TComponent {
    VTRL_CLASS(TBenchItem)
public:
    using TComponent::TComponent;
    TBenchItem* Container() const { return FContainer; }
    void SetContainer(TBenchItem* Value) {
        FContainer = Value;
        if (Value) Value->Helpers.push_back(this);
    }
    std::string DestDir, IncludeFromDir, FileName, GroupName;
    std::vector<TBenchItem*> Helpers;

private:
    TBenchItem* FContainer = nullptr;
};

class TBenchInstall : public TBenchItem {
    VTRL_CLASS(TBenchInstall)
public:
    using TBenchItem::TBenchItem;
};
class TBenchGroup : public TBenchItem {
    VTRL_CLASS(TBenchGroup)
public:
    using TBenchItem::TBenchItem;
};
class TBenchFile : public TBenchItem {
    VTRL_CLASS(TBenchFile)
public:
    using TBenchItem::TBenchItem;
};

// The root of the definition, as a definition module is.
class TBenchModule : public TDataModule {
    VTRL_CLASS(TBenchModule)
public:
    using TDataModule::TDataModule;
};

// Files are 80 to a folder, folders 10 to a group, as tools/gen-bench-product
// lays out a product; Components counts every object below the root.
std::string Definition(int Components) {
    std::string t = "object IM: TBenchModule\n  object Install1: TBenchInstall\n    DestDir = '\\Bench'\n  end\n";
    int made = 1, folder = 0, group = 0, file = 0;
    while (made < Components) {
        if (folder % 10 == 0) {
            ++group;
            t += "  object G" + std::to_string(group) + ": TBenchGroup\n    Container = Install1\n    GroupName = 'Group " +
                 std::to_string(group) + "'\n  end\n";
            ++made;
        }
        ++folder;
        const std::string dir = "G" + std::to_string(group) + "D" + std::to_string(folder);
        t += "  object " + dir + ": TBenchGroup\n    Container = G" + std::to_string(group) + "\n    DestDir = '\\d" +
             std::to_string(folder) + "'\n  end\n";
        ++made;
        for (int k = 0; k < 80 && made < Components; ++k, ++made) {
            ++file;
            t += "  object F" + std::to_string(file) + ": TBenchFile\n    Container = " + dir +
                 "\n    IncludeFromDir = 'Q:\\" + dir + "'\n    FileName = 'f" + std::to_string(file) + ".txt'\n  end\n";
        }
    }
    return t + "end\n";
}

double Seconds(Clock::time_point a) { return std::chrono::duration<double>(Clock::now() - a).count(); }

long PeakKiB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

}  // namespace

VTRL_IMPLEMENT_CLASS(TBenchItem, TComponent, [](TClassBuilder<TBenchItem>& b) {
    b.Reference<TBenchItem>("Container", &TBenchItem::Container, &TBenchItem::SetContainer);
    b.String("DestDir", &TBenchItem::DestDir, &TBenchItem::DestDir);
    b.String("IncludeFromDir", &TBenchItem::IncludeFromDir, &TBenchItem::IncludeFromDir);
    b.String("FileName", &TBenchItem::FileName, &TBenchItem::FileName);
    b.String("GroupName", &TBenchItem::GroupName, &TBenchItem::GroupName);
})
VTRL_IMPLEMENT_CLASS(TBenchInstall, TBenchItem, [](auto&) {})
VTRL_IMPLEMENT_CLASS(TBenchGroup, TBenchItem, [](auto&) {})
VTRL_IMPLEMENT_CLASS(TBenchFile, TBenchItem, [](auto&) {})
VTRL_IMPLEMENT_CLASS(TBenchModule, TDataModule, [](auto&) {})

int main(int argc, char** argv) {
    std::vector<int> sizes{2000, 8000, 32000, 100000};
    if (argc > 1) {
        sizes.clear();
        for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    }
    std::printf("Definition reading (components below the root; read, then destroy)\n");
    std::printf("%10s %10s %10s %12s %10s %12s\n", "components", "text MB", "read s", "read us/comp", "destroy s",
                "peak RSS MB");
    for (int n : sizes) {
        const std::string text = Definition(n);
        auto start = Clock::now();
        std::unique_ptr<TComponent> root(CreateComponentFromText(text, nullptr, "bench.vdf"));
        const double read = Seconds(start);
        if (root->ComponentCount() != n) {
            std::fprintf(stderr, "read %d components, expected %d\n", root->ComponentCount(), n);
            return 1;
        }
        start = Clock::now();
        root.reset();
        const double destroy = Seconds(start);
        std::printf("%10d %10.1f %10.3f %12.2f %10.3f %12.1f\n", n, text.size() / 1e6, read, read * 1e6 / n, destroy,
                    PeakKiB() / 1024.0);
        std::fflush(stdout);
    }
    return 0;
}
