#include "fuzzsupport.h"

#include "runtime/listmodel.h"
#include "runtime/lists.h"
#include "runtime/numbers.h"

#include <QCoreApplication>
#include <array>
#include <memory>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>

// Fontconfig keeps its caches until the process ends; that is no leak of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

namespace {

// The rewritten arguments live as long as the process.
std::deque<std::string> absoluteArguments;

// The lists the readers fill, with as many columns as the main window gives them, hidden ones included.
struct FuzzList {
    int number;
    int columns;
    std::unique_ptr<ListModel> model;
};
std::array<FuzzList, 4> fuzzLists = {{{kCustomerList, kCustomerTaxCaseColumn + 1, nullptr},
                                      {kArticleList, kArticleTaxColumn + 3, nullptr},
                                      {kInvoiceList, 5, nullptr},
                                      {kOfferList, 7, nullptr}}};

// A path argument made absolute: a corpus folder, or the value of a flag that names a path.
char* absolute(char* argument) {
    std::string text = argument;
    for (const std::string flag : {"-artifact_prefix=", "-exact_artifact_path=", "-dict="}) {
        if (text.starts_with(flag) && !text.substr(flag.size()).starts_with("/")) {
            // Joined as text: an artifact prefix may end in the start of a file name.
            text = flag + std::filesystem::current_path().string() + "/" + text.substr(flag.size());
            return absoluteArguments.emplace_back(text).data();
        }
    }
    if (text.starts_with("-") || text.starts_with("/"))
        return argument;
    return absoluteArguments.emplace_back(std::filesystem::absolute(text).string()).data();
}

} // namespace

void prepareFuzzing(int* argc, char*** argv) {
    for (int i = 1; i < *argc; ++i)
        (*argv)[i] = absolute((*argv)[i]);
    // The lists announce their rows through the event queue, which needs an application object.
    new QCoreApplication(*argc, *argv);
    // Memory-backed when there is such a folder: every save flushes to disk, millions of times.
    std::string folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    folder += "/quillora-fuzz-XXXXXX";
    if (mkdtemp(folder.data()) == nullptr || chdir(folder.c_str()) != 0) {
        std::fprintf(stderr, "no folder for fuzzing\n");
        std::abort();
    }
    freshLists();
}

void writeInput(std::string_view name, const std::uint8_t* data, std::size_t size) {
    const std::string path(name);
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        std::abort();
    for (std::size_t done = 0; done < size;) {
        const ssize_t n = write(fd, data + done, size - done);
        if (n <= 0)
            std::abort();
        done += static_cast<std::size_t>(n);
    }
    close(fd);
}

void freshLists() {
    // What the event loop does between two inputs: the lists tell their views of the rows added.
    // Left undone, these calls would pile up and make every input look like a leak.
    QCoreApplication::sendPostedEvents();
    for (FuzzList& list : fuzzLists) {
        list.model = std::make_unique<ListModel>();
        for (int c = 0; c < list.columns; ++c)
            list.model->insertColumnAt(c, "");
        registerList(list.number, list.model.get());
    }
}
