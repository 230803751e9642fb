/* 16.16 fixed-point math and the circle, ellipse and arc generators.
 *
 * Fixed-point angles have 256 units per turn (0x400000 is a quarter turn)
 * and grow counter-clockwise on screen (towards smaller y). Arc angles are
 * integers in 1/64 degree. Failing functions set errno to EDOM or ERANGE. */
#ifndef GUI_FIXED_MATH_H
#define GUI_FIXED_MATH_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

typedef int32_t fixed;

/* cos(i * 2pi / 512) in 16.16. */
extern const fixed _cos_tbl[512];
/* tan(i * pi / 256) in 16.16; entry 128 is -0x7FFFFFFF. */
extern const fixed _tan_tbl[256];
/* acos(i / 256 - 1) as a fixed-point angle. */
extern const fixed _acos_tbl[513];

fixed fixatan(fixed x);
fixed fixatan2(fixed y, fixed x);
fixed fixsqrt(fixed x);
fixed fixhypot(fixed x, fixed y);

/* The horizontal run from x1 to x2 on row y. */
typedef void (*SpanCallback)(void* context, int x1, int x2, int y);
typedef void (*PointCallback)(void* context, int x, int y);

/* Filled shapes as spans; a row may be reported more than once. */
void CircleGenerator(void* context, int cx, int cy, int r, SpanCallback cb);
void EllipseGenerator(void* context, int cx, int cy, int rx, int ry, SpanCallback cb);
/* The outline points of an arc from start, sweeping by sweep (both in 1/64
 * degree; a negative sweep runs clockwise). */
void CircleArcGenerator(void* context, int cx, int cy, int r, int start, int sweep,
                        PointCallback cb);

GUI_EXTERN_C_END

#endif
