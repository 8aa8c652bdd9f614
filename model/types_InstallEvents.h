// Parameter objects of the installation events: the status of one file,
// a disk request, and the two-item list that carries either with its file.
#pragma once

#include <string>
#include <vector>

#include "Classes.h"
#include "cmp_TVtrlCompress.h"

namespace vtrl {

// Progress of one file; each file container on the way up overwrites the
// totals with its own figures before passing it on.
class TFileStatusParameter : public TPersistent {
    VTRL_CLASS(TFileStatusParameter)
public:
    int32_t BytesDone = 0;
    int32_t FilePercentDone = 0;
    std::string FileName;
    TlzhFileStats FileStats{};
    int32_t TotalBytesDone = 0;
    int32_t TotalPercentDone = 0;
};

// A request for another disk; a receiver may change Path.
class TDiskParameter : public TPersistent {
    VTRL_CLASS(TDiskParameter)
public:
    int32_t NewDisk = 0;
    std::string Path;
};

// The compound parameter of status and disk events: item 0 the file,
// item 1 its TFileStatusParameter or TDiskParameter. Holds no ownership.
class TParameterList : public TPersistent {
    VTRL_CLASS(TParameterList)
public:
    TParameterList() = default;
    TParameterList(std::initializer_list<TPersistent*> l) : Items(l) {}
    int Count() const { return static_cast<int>(Items.size()); }
    std::vector<TPersistent*> Items;
};

}  // namespace vtrl
