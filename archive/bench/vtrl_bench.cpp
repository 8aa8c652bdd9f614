// Archive throughput against raw zlib on the same data, and extraction of
// many members one by one. Prints a table; asserts nothing.
#include <sys/resource.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <vector>

#include "cmp_TVtrlCompress.h"

using namespace vtrl;
using Clock = std::chrono::steady_clock;

namespace {

std::vector<uint8_t> Words(size_t n, unsigned seed) {
    static const char* const w[] = {"setup ", "archive ", "volume ", "member ", "record ", "install ", "file ",
                                    "directory ", "component ", "version ", "0x", "42 ", "\r\n", "Vantrel ",
                                    "registry ", "shortcut "};
    std::mt19937 g(seed);
    std::vector<uint8_t> b;
    b.reserve(n);
    while (b.size() < n) {
        if (g() % 8 == 0) b.push_back(static_cast<uint8_t>(g()));
        for (const char* p = w[g() % 16]; *p && b.size() < n; ++p) b.push_back(static_cast<uint8_t>(*p));
    }
    return b;
}

void Write(const std::string& name, const void* d, size_t n) {
    TFileHandleOwner f(FileCreate(name));
    if (n) FileWrite(f.Get(), d, static_cast<int32_t>(n));
}

double Seconds(Clock::time_point a) { return std::chrono::duration<double>(Clock::now() - a).count(); }

// Raw deflate of each file to an output file, 61440-byte reads and a 64 KiB
// output buffer: what zlib alone does with the same I/O.
double RawDeflate(const std::vector<std::string>& files, int level, const std::string& out) {
    auto t = Clock::now();
    TFileHandleOwner o(FileCreate(out));
    std::vector<uint8_t> in(61440), buf(65536);
    for (const auto& f : files) {
        TFileHandleOwner h(FileOpenRead(f));
        z_stream z{};
        deflateInit(&z, level);
        int flush = Z_NO_FLUSH;
        do {
            int32_t n = FileRead(h.Get(), in.data(), static_cast<int32_t>(in.size()));
            flush = n < static_cast<int32_t>(in.size()) ? Z_FINISH : Z_NO_FLUSH;
            z.next_in = in.data();
            z.avail_in = static_cast<uInt>(n);
            do {
                z.next_out = buf.data();
                z.avail_out = static_cast<uInt>(buf.size());
                deflate(&z, flush);
                FileWrite(o.Get(), buf.data(), static_cast<int32_t>(buf.size() - z.avail_out));
            } while (z.avail_out == 0);
        } while (flush != Z_FINISH);
        deflateEnd(&z);
    }
    return Seconds(t);
}

// Raw inflate of each member's bytes straight from the archive file to an
// output file, 64 KiB buffers.
double RawInflate(const TFileHeaders& d, const std::string& archive, const std::string& dir) {
    auto t = Clock::now();
    TFileHandleOwner a(FileOpenRead(archive));
    std::vector<uint8_t> in(65536), buf(65536);
    for (int i = 0; i < d.Count(); ++i) {
        const TFileHeader& e = d.Get(i);
        TFileHandleOwner o(FileCreate(dir + "/raw" + std::to_string(i)));
        FileSeek(a.Get(), e.DataPos, soFromBeginning);
        z_stream z{};
        inflateInit(&z);
        int64_t left = e.CompressedSize;
        int r = Z_OK;
        while (left > 0 && r != Z_STREAM_END) {
            int32_t n = FileRead(a.Get(), in.data(), static_cast<int32_t>(left < 65536 ? left : 65536));
            left -= n;
            z.next_in = in.data();
            z.avail_in = static_cast<uInt>(n);
            do {
                z.next_out = buf.data();
                z.avail_out = static_cast<uInt>(buf.size());
                r = inflate(&z, Z_NO_FLUSH);
                FileWrite(o.Get(), buf.data(), static_cast<int32_t>(buf.size() - z.avail_out));
            } while (z.avail_out == 0 && r == Z_OK);
        }
        inflateEnd(&z);
    }
    return Seconds(t);
}

// The best of five runs of each, alternating, so that load from other
// processes falls on both sides alike.
void BestOfPairs(const std::function<double()>& A, const std::function<double()>& B, double& a, double& b) {
    a = b = 1e9;
    for (int i = 0; i < 5; ++i) {
        a = std::min(a, A());
        b = std::min(b, B());
    }
}

void Throughput(const std::string& work, const char* label, int members, size_t size, TCompressionLevel level) {
    std::string src = work + "/src", out = work + "/out";
    ForceDirectories(src);
    ForceDirectories(out);
    std::vector<std::string> files;
    TStringList list;
    for (int i = 0; i < members; ++i) {
        auto data = Words(size, static_cast<unsigned>(i + 1));
        files.push_back(src + "/m" + std::to_string(i) + ".txt");
        Write(files.back(), data.data(), data.size());
        list.Add(files.back());
    }
    const double mb = static_cast<double>(members) * static_cast<double>(size) / 1e6;
    TVtrlCompress c(nullptr);
    c.FileVersion = [](const std::string&) { return std::string(); };
    c.CompressionLevel = level;
    const std::string archive = work + "/files.1";
    auto ours = [&] {
        c.SetCompressedFile(archive);
        TStringList l = list;
        c.SetFilesToProcess(l);
        auto t = Clock::now();
        c.CompressFiles(false);
        return Seconds(t);
    };
    auto raw = [&] { return RawDeflate(files, ZlibLevel(level), work + "/raw.z"); };
    double tc, rc;
    BestOfPairs(ours, raw, tc, rc);
    c.SetCompressedFile("");
    c.SetCompressedFile(archive);
    const TFileHeaders& d = c.Directory();
    int64_t full, packed;
    d.Totals(full, packed);
    auto oursX = [&] {
        TStringList l = list;
        c.ExtractDirectory = out;
        c.SetFilesToProcess(l);
        auto t = Clock::now();
        c.ExtractFiles();
        return Seconds(t);
    };
    auto rawX = [&] { return RawInflate(d, archive, out); };
    double te, re;
    BestOfPairs(oursX, rawX, te, re);
    std::printf("%-22s %7d %7.1f %6.1f%% | %8.1f %8.1f %5.0f%% | %8.1f %8.1f %5.0f%%\n", label, members, mb,
                100.0 * packed / full, mb / tc, mb / rc, 100.0 * rc / tc, mb / te, mb / re, 100.0 * re / te);
    std::error_code ec;
    std::filesystem::remove_all(work + "/src", ec);
    std::filesystem::remove_all(work + "/out", ec);
}

void ManyMembers(const std::string& work, int members) {
    std::string src = work + "/many", out = work + "/manyout";
    ForceDirectories(src);
    ForceDirectories(out);
    TStringList list;
    for (int i = 0; i < members; ++i) {
        auto data = Words(512, static_cast<unsigned>(i));
        list.Add(src + "/f" + std::to_string(i) + ".txt");
        Write(list[i], data.data(), data.size());
    }
    TVtrlCompress c(nullptr);
    c.FileVersion = [](const std::string&) { return std::string(); };
    c.SetCompressedFile(work + "/many.1");
    TStringList l = list;
    auto t0 = Clock::now();
    c.SetFilesToProcess(l);
    c.CompressFiles(false);
    double tc = Seconds(t0);
    c.SetCompressedFile("");
    c.SetCompressedFile(work + "/many.1");
    c.ExtractDirectory = out;
    auto t1 = Clock::now();
    double firstHalf = 0;
    for (int i = 0; i < members; ++i) {
        TStringList one{list[i]};
        c.SetFilesToProcess(one);
        c.ExtractFiles();
        if (i == members / 2 - 1) firstHalf = Seconds(t1);
    }
    double te = Seconds(t1);
    std::printf("\n%d members of 512 bytes: compress %.2f s; extract one by one %.2f s "
                "(first half %.2f s, second half %.2f s; %.0f us per member)\n",
                members, tc, te, firstHalf, te - firstHalf, te / members * 1e6);
    std::error_code ec;
    std::filesystem::remove_all(src, ec);
    std::filesystem::remove_all(out, ec);
}

// A build's pass over a 20 MB product of 234 mixed files (text of 4 KB to
// 1 MB, some incompressible), one CompressFiles per member as the builder
// calls it, with members deflated ahead on 0 (off), 1 and 2 threads.
void BuildThreads(const std::string& work) {
    const std::string src = work + "/product";
    ForceDirectories(src);
    std::vector<TPrecompressMember> members;
    int64_t total = 0;
    for (int i = 0; i < 234; ++i) {
        const size_t size = i % 39 == 0 ? 1500000 : i % 7 == 0 ? 180000 : 4096 + (i * 7919) % 60000;
        std::vector<uint8_t> data = Words(size, static_cast<unsigned>(i + 7));
        if (i % 5 == 0) {
            std::mt19937 g(static_cast<unsigned>(i));
            for (auto& b : data) b = static_cast<uint8_t>(g());
        }
        members.push_back({src + "/p" + std::to_string(i) + (i % 5 == 0 ? ".bin" : ".txt"), colMax});
        Write(members.back().SourcePath, data.data(), data.size());
        total += static_cast<int64_t>(size);
    }
    TVtrlCompress c(nullptr);
    c.FileVersion = [](const std::string&) { return std::string(); };
    std::printf("\nbuild pass, %zu members, %.1f MB, colMax:", members.size(), static_cast<double>(total) / 1e6);
    for (int threads : {0, 1, 2}) {
        double best = 1e9;
        for (int round = 0; round < 3; ++round) {
            auto t = Clock::now();
            TPrecompressScope ahead(c, members, threads);
            c.SetCompressedFile(work + "/build" + std::to_string(threads) + ".1");
            for (size_t i = 0; i < members.size(); ++i) {
                TStringList one{members[i].SourcePath};
                c.SetFilesToProcess(one);
                c.CompressFiles(i > 0);
            }
            best = std::min(best, Seconds(t));
        }
        std::printf("  %d thread%s %.2f s", threads, threads == 1 ? "" : "s", best);
    }
    std::printf("\n");
    std::error_code ec;
    std::filesystem::remove_all(src, ec);
}

}  // namespace

int main() {
    std::string work = GetTempDirectory() + "vtrl-bench-" + std::to_string(::getpid());
    ForceDirectories(work);
    std::printf("%-22s %7s %7s %7s | %8s %8s %6s | %8s %8s %6s\n", "case", "members", "MB", "packed", "comp MB/s",
                "zlib", "ratio", "extr MB/s", "zlib", "ratio");
    Throughput(work, "text, colDefault", 16, 2 << 20, colDefault);
    Throughput(work, "text, colMax", 16, 2 << 20, colMax);
    Throughput(work, "text, colFastest", 16, 2 << 20, colFastest);
    Throughput(work, "small files, colMax", 400, 20000, colMax);
    ManyMembers(work, 10000);
    BuildThreads(work);
    struct rusage ru;
    getrusage(RUSAGE_SELF, &ru);
    std::printf("peak resident memory: %ld KiB\n", ru.ru_maxrss);
    std::error_code ec;
    std::filesystem::remove_all(work, ec);
    return 0;
}
