// The extension entry-point table: one process-wide pointer per known entry point, named as the
// entry point itself, and the loader that fills the pointers of one extension from the driver.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>

#include "glh/glh_entry_point_list.h"

namespace glh {

// Window-system types of the WGL rows. On this platform they stay opaque: the WGL-only entry
// points resolve to null unless a GLX function with the same meaning and signature exists.
namespace wgl {
using HDC = struct HDC__*;
using HPBUFFERARB = struct HPBUFFERARB__*;
using BOOL = int;
using UINT = unsigned int;
using FLOAT = float;
}  // namespace wgl

// Published signatures that GL/glext.h has no pointer type for, or hides: GL/gl.h claims
// GL_ARB_imaging, so glext.h skips the pointer types of the colour-table functions.
typedef void (APIENTRYP PFNGLCOLORTABLEPROC)(GLenum target, GLenum internalformat,
                                             GLsizei width, GLenum format, GLenum type,
                                             const void* table);
typedef void (APIENTRYP PFNGLCOLORTABLEPARAMETERFVPROC)(GLenum target, GLenum pname,
                                                        const GLfloat* params);
typedef void (APIENTRYP PFNGLCOLORTABLEPARAMETERIVPROC)(GLenum target, GLenum pname,
                                                        const GLint* params);
typedef void (APIENTRYP PFNGLCOPYCOLORTABLEPROC)(GLenum target, GLenum internalformat, GLint x,
                                                 GLint y, GLsizei width);
typedef void (APIENTRYP PFNGLGETCOLORTABLEPROC)(GLenum target, GLenum format, GLenum type,
                                                void* table);
typedef void (APIENTRYP PFNGLGETCOLORTABLEPARAMETERFVPROC)(GLenum target, GLenum pname,
                                                           GLfloat* params);
typedef void (APIENTRYP PFNGLGETCOLORTABLEPARAMETERIVPROC)(GLenum target, GLenum pname,
                                                           GLint* params);
typedef void* (APIENTRYP PFNWGLALLOCATEMEMORYNVPROC)(GLsizei size, GLfloat readfreq,
                                                    GLfloat writefreq, GLfloat priority);
typedef void (APIENTRYP PFNWGLFREEMEMORYNVPROC)(void* pointer);
typedef void (APIENTRYP PFNGLADDSWAPHINTRECTWINPROC)(GLint x, GLint y, GLsizei width,
                                                     GLsizei height);
typedef wgl::HPBUFFERARB (APIENTRYP PFNWGLCREATEPBUFFERARBPROC)(wgl::HDC hDC, int iPixelFormat,
                                                                int iWidth, int iHeight,
                                                                const int* piAttribList);
typedef wgl::HDC (APIENTRYP PFNWGLGETPBUFFERDCARBPROC)(wgl::HPBUFFERARB hPbuffer);
typedef int (APIENTRYP PFNWGLRELEASEPBUFFERDCARBPROC)(wgl::HPBUFFERARB hPbuffer, wgl::HDC hDC);
typedef wgl::BOOL (APIENTRYP PFNWGLDESTROYPBUFFERARBPROC)(wgl::HPBUFFERARB hPbuffer);
typedef wgl::BOOL (APIENTRYP PFNWGLQUERYPBUFFERARBPROC)(wgl::HPBUFFERARB hPbuffer, int iAttribute,
                                                        int* piValue);
typedef wgl::BOOL (APIENTRYP PFNWGLGETPIXELFORMATATTRIBIVARBPROC)(
    wgl::HDC hdc, int iPixelFormat, int iLayerPlane, wgl::UINT nAttributes,
    const int* piAttributes, int* piValues);
typedef wgl::BOOL (APIENTRYP PFNWGLGETPIXELFORMATATTRIBFVARBPROC)(
    wgl::HDC hdc, int iPixelFormat, int iLayerPlane, wgl::UINT nAttributes,
    const int* piAttributes, wgl::FLOAT* pfValues);
typedef wgl::BOOL (APIENTRYP PFNWGLCHOOSEPIXELFORMATARBPROC)(
    wgl::HDC hdc, const int* piAttribIList, const wgl::FLOAT* pfAttribFList,
    wgl::UINT nMaxFormats, int* piFormats, wgl::UINT* nNumFormats);

// The 209 entry-point pointers, null until their extension is loaded. They live in this
// namespace because GL/gl.h already declares some of the names as functions of libGL.
#define GLH_DECLARE_ENTRY_POINT(type, name) extern type name;
GLH_ALL_ENTRY_POINTS(GLH_DECLARE_ENTRY_POINT)
#undef GLH_DECLARE_ENTRY_POINT

using GenericProc = void (*)();

// One entry point of a row: its name and the function that stores a lookup result in its pointer.
struct EntryPoint {
  const char* name;
  void (*store)(GenericProc address);
};

// One row of the table: an extension name and its entry points in their order of lookup.
struct ExtensionRow {
  const char* name;
  const EntryPoint* entry_points;
  int entry_point_count;
};

// The 46 rows, sorted by the byte order of their names.
extern const ExtensionRow extension_table[];
extern const int extension_table_size;

// Fetches the entry points of the extension `name` (case-sensitive, whole name) into their
// pointers, in row order, storing every result as it comes back, a null one too. Stops at the
// first entry point that is not found. Returns 1 when the row exists and all of its entry
// points were found (at once for a row without any), 0 for a null or unknown name or a missing
// entry point. Needs a current GL context.
int load_extension_entry_points(const char* name);

}  // namespace glh
