// Scoped owners of device contexts, GDI objects, icons and global memory.
// Each gives back what it holds when it leaves its scope, so no return path
// can leak a handle or leave an object selected into a device context. They
// convert to the handle they hold; a null handle means the creation failed,
// and the caller falls back before drawing anything with it.
#pragma once
#include <windows.h>

// Deletes a GDI object and clears the handle that named it, so no handle is
// deleted twice.
template <typename Handle> inline void DeleteObjectSafe(Handle* handle) {
    if (*handle) DeleteObject(*handle);
    *handle = nullptr;
}

// A device context from GetDC or GetWindowDC, given back with ReleaseDC.
// For no window it is the screen's.
class ScopedGetDC {
public:
    explicit ScopedGetDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~ScopedGetDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    ScopedGetDC(const ScopedGetDC&) = delete;
    ScopedGetDC& operator=(const ScopedGetDC&) = delete;
    operator HDC() const { return dc_; }
    HDC get() const { return dc_; }

protected:
    ScopedGetDC(HWND window, HDC dc) : window_(window), dc_(dc) {}

private:
    HWND window_;
    HDC dc_;
};

// The whole window's device context, title and frame included.
class ScopedGetWindowDC : public ScopedGetDC {
public:
    explicit ScopedGetWindowDC(HWND window) : ScopedGetDC(window, GetWindowDC(window)) {}
};

// A memory device context compatible with another (or with the screen),
// deleted with DeleteDC. Whatever was selected into it must be put back
// first: declare the ScopedSelectObject after it, so it ends before.
class ScopedMemoryDC {
public:
    explicit ScopedMemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~ScopedMemoryDC() {
        if (dc_) DeleteDC(dc_);
    }
    ScopedMemoryDC(const ScopedMemoryDC&) = delete;
    ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;
    operator HDC() const { return dc_; }
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// Objects selected into a device context for a while: the object the
// context held before the first selection is selected back at the end, so
// several objects of one kind (the fonts of a line of text) may be selected
// one after another through one guard.
class ScopedSelectObject {
public:
    explicit ScopedSelectObject(HDC dc) : dc_(dc), original_(nullptr) {}
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), original_(nullptr) { select(object); }
    ~ScopedSelectObject() {
        if (original_) SelectObject(dc_, original_);
    }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

    // False when nothing was selected (no context, no object, or refused).
    bool select(HGDIOBJ object) {
        if (!dc_ || !object) return false;
        HGDIOBJ previous = SelectObject(dc_, object);
        if (!previous || previous == HGDI_ERROR) return false;
        if (!original_) original_ = previous;
        return true;
    }
    // Whether an object was selected and will be put back.
    bool selected() const { return original_ != nullptr; }

private:
    HDC dc_;
    HGDIOBJ original_;
};

// A GDI object (bitmap, brush, pen, font, region) deleted with DeleteObject,
// unless release() handed it on to a new owner first.
template <typename Handle> class ScopedGdiObject {
public:
    explicit ScopedGdiObject(Handle object = nullptr) : object_(object) {}
    ~ScopedGdiObject() { reset(); }
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
    operator Handle() const { return object_; }
    Handle get() const { return object_; }

    // Deletes the object held and takes `object` instead.
    void reset(Handle object = nullptr) {
        if (object_) DeleteObject(object_);
        object_ = object;
    }
    // The caller owns the object from now on.
    Handle release() {
        Handle object = object_;
        object_ = nullptr;
        return object;
    }

private:
    Handle object_;
};

typedef ScopedGdiObject<HBITMAP> ScopedBitmap;
typedef ScopedGdiObject<HBRUSH> ScopedBrush;
typedef ScopedGdiObject<HPEN> ScopedPen;
typedef ScopedGdiObject<HRGN> ScopedRegion;

// An icon destroyed with DestroyIcon unless release() handed it on.
class ScopedIcon {
public:
    explicit ScopedIcon(HICON icon) : icon_(icon) {}
    ~ScopedIcon() {
        if (icon_) DestroyIcon(icon_);
    }
    ScopedIcon(const ScopedIcon&) = delete;
    ScopedIcon& operator=(const ScopedIcon&) = delete;
    operator HICON() const { return icon_; }
    HICON release() {
        HICON icon = icon_;
        icon_ = nullptr;
        return icon;
    }

private:
    HICON icon_;
};

// A movable global memory block, locked while its bytes are used: unlocked
// and freed at the end. resize() unlocks it, grows it and locks it again.
class ScopedGlobalMemory {
public:
    explicit ScopedGlobalMemory(SIZE_T bytes) : block_(GlobalAlloc(GMEM_MOVEABLE, bytes)), data_(nullptr) {
        if (block_) data_ = GlobalLock(block_);
    }
    ~ScopedGlobalMemory() {
        if (!block_) return;
        if (data_) GlobalUnlock(block_);
        GlobalFree(block_);
    }
    ScopedGlobalMemory(const ScopedGlobalMemory&) = delete;
    ScopedGlobalMemory& operator=(const ScopedGlobalMemory&) = delete;

    // The locked bytes; null when the block could not be made or locked.
    void* data() const { return data_; }
    // False when the block keeps its old size (it is locked again then, if
    // it can be) or cannot be locked.
    bool resize(SIZE_T bytes) {
        if (!block_) return false;
        if (data_) GlobalUnlock(block_);
        HGLOBAL grown = GlobalReAlloc(block_, bytes, GMEM_MOVEABLE);
        if (grown) block_ = grown;
        data_ = GlobalLock(block_);
        return grown && data_;
    }

private:
    HGLOBAL block_;
    void* data_;
};

// BeginPaint and EndPaint around the painting of a window.
class ScopedPaint {
public:
    explicit ScopedPaint(HWND window) : window_(window) { BeginPaint(window_, &paint_); }
    ~ScopedPaint() { EndPaint(window_, &paint_); }
    ScopedPaint(const ScopedPaint&) = delete;
    ScopedPaint& operator=(const ScopedPaint&) = delete;
    const PAINTSTRUCT* get() const { return &paint_; }

private:
    HWND window_;
    PAINTSTRUCT paint_;
};
