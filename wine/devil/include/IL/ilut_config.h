/* What the Windows build of ILUT offers the plug-in: the Win32 GDI
 * functions only (no OpenGL, DirectX, SDL or Allegro headers). */
#ifndef NOTIFY_ILUT_CONFIG_H
#define NOTIFY_ILUT_CONFIG_H
#define ILUT_USE_WIN32
#endif
