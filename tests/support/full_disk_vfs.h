#pragma once
// A disk that can be made full under a running program: SQLite's default file system wrapped
// so that, while `full` is set, every write to a file fails as on a full disk (SQLITE_FULL)
// and no file grows. Registered as the default for the lifetime of the object, so every
// store opened meanwhile goes through it.

#include <sqlite3.h>

#include <atomic>

namespace tomelin::test {

class FullDiskVfs {
public:
    FullDiskVfs() {
        s_real = sqlite3_vfs_find(nullptr);
        s_vfs = *s_real;
        s_vfs.zName = "tomelin-full-disk";
        s_vfs.szOsFile = static_cast<int>(sizeof(File)) + s_real->szOsFile;
        s_vfs.xOpen = open;
        sqlite3_vfs_register(&s_vfs, 1);
    }
    ~FullDiskVfs() {
        sqlite3_vfs_unregister(&s_vfs);
        sqlite3_vfs_register(s_real, 1);
        s_full = false;
    }
    FullDiskVfs(const FullDiskVfs&) = delete;
    FullDiskVfs& operator=(const FullDiskVfs&) = delete;

    void setFull(bool full) { s_full = full; }

private:
    struct File {
        sqlite3_file base;
        sqlite3_file* real() { return reinterpret_cast<sqlite3_file*>(this + 1); }
    };
    static File* self(sqlite3_file* f) { return reinterpret_cast<File*>(f); }
    static sqlite3_file* real(sqlite3_file* f) { return self(f)->real(); }

    static int open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags,
                    int* outFlags) {
        File* f = self(file);
        f->base.pMethods = nullptr;
        const int rc = s_real->xOpen(s_real, name, f->real(), flags, outFlags);
        if (rc == SQLITE_OK && f->real()->pMethods) {
            s_realMethods = f->real()->pMethods;
            s_methods = *s_realMethods;
            s_methods.xClose = [](sqlite3_file* x) { return real(x)->pMethods->xClose(real(x)); };
            s_methods.xRead = [](sqlite3_file* x, void* b, int n, sqlite3_int64 o) {
                return real(x)->pMethods->xRead(real(x), b, n, o);
            };
            s_methods.xWrite = [](sqlite3_file* x, const void* b, int n, sqlite3_int64 o) {
                return s_full ? SQLITE_FULL : real(x)->pMethods->xWrite(real(x), b, n, o);
            };
            s_methods.xTruncate = [](sqlite3_file* x, sqlite3_int64 size) {
                return real(x)->pMethods->xTruncate(real(x), size);
            };
            s_methods.xSync = [](sqlite3_file* x, int flags) {
                return real(x)->pMethods->xSync(real(x), flags);
            };
            s_methods.xFileSize = [](sqlite3_file* x, sqlite3_int64* size) {
                return real(x)->pMethods->xFileSize(real(x), size);
            };
            s_methods.xLock = [](sqlite3_file* x, int l) { return real(x)->pMethods->xLock(real(x), l); };
            s_methods.xUnlock = [](sqlite3_file* x, int l) {
                return real(x)->pMethods->xUnlock(real(x), l);
            };
            s_methods.xCheckReservedLock = [](sqlite3_file* x, int* out) {
                return real(x)->pMethods->xCheckReservedLock(real(x), out);
            };
            s_methods.xFileControl = [](sqlite3_file* x, int op, void* arg) {
                return real(x)->pMethods->xFileControl(real(x), op, arg);
            };
            s_methods.xSectorSize = [](sqlite3_file* x) {
                return real(x)->pMethods->xSectorSize(real(x));
            };
            s_methods.xDeviceCharacteristics = [](sqlite3_file* x) {
                return real(x)->pMethods->xDeviceCharacteristics(real(x));
            };
            s_methods.xShmMap = [](sqlite3_file* x, int page, int size, int extend,
                                   void volatile** out) {
                return real(x)->pMethods->xShmMap(real(x), page, size, extend, out);
            };
            s_methods.xShmLock = [](sqlite3_file* x, int offset, int n, int flags) {
                return real(x)->pMethods->xShmLock(real(x), offset, n, flags);
            };
            s_methods.xShmBarrier = [](sqlite3_file* x) { real(x)->pMethods->xShmBarrier(real(x)); };
            s_methods.xShmUnmap = [](sqlite3_file* x, int del) {
                return real(x)->pMethods->xShmUnmap(real(x), del);
            };
            // No memory-mapped reads: every page goes through xRead above.
            s_methods.iVersion = s_realMethods->iVersion < 2 ? s_realMethods->iVersion : 2;
            f->base.pMethods = &s_methods;
        }
        return rc;
    }

    static inline sqlite3_vfs* s_real = nullptr;
    static inline sqlite3_vfs s_vfs{};
    static inline const sqlite3_io_methods* s_realMethods = nullptr;
    static inline sqlite3_io_methods s_methods{};
    static inline std::atomic<bool> s_full{false};
};

}  // namespace tomelin::test
