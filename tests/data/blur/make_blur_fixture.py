#!/usr/bin/env python3
"""Writes the expected result of blurring the test mask with radius 3.

The mask (100 x 100, three independent channels):
  red   255 for 4 <= x <= 95 and 6 <= y <= 93, else 0
  green 255 for 2 <= x <= 90 and 12 <= y <= 85, else 0
  blue  200 for x >= 3 and y <= 90, else 0

The blur is a plain separable Gaussian blur over the whole image (every
row, then every column), computed here without any shortcut:
  w(k) = exp(-(k / radius)^2 / 2) for k = -10..10, normalised to sum 1 and
  kept in single precision; pairs of outer taps are dropped from +-10
  inwards while the running total of dropped weights (before adding) is
  below 1/510 and the offset is above 1; the remaining taps are normalised
  again (single precision). A pixel's value is the sum of w(k) * v(x - k)
  (positions clamped to the image; each product and each partial sum in
  single precision, k from -r to r) truncated to an integer and limited
  to 0..255.

Output: blur_r3_expected.ppm (binary PPM, P6, red-green-blue bytes).
Run: python3 make_blur_fixture.py  (plain Python 3, no packages needed)
"""
import math
import os
import struct

W = H = 100
RADIUS = 3.0


def f32(v):
    return struct.unpack('f', struct.pack('f', v))[0]


def kernel(radius):
    raw = [math.exp(-((k / radius) ** 2) / 2) for k in range(-10, 11)]
    s = 0.0
    for v in raw:
        s += v
    w = [f32(v / s) for v in raw]
    r, total = 10, 0.0
    while total < 1.0 / 510 and r > 1:
        total = total + (w[10 - r] + w[10 + r])
        r -= 1
    s2 = 0.0
    for k in range(-r, r + 1):
        s2 += w[10 + k]
    return r, {k: f32(w[10 + k] / s2) for k in range(-r, r + 1)}


def source():
    img = [[[0, 0, 0] for _ in range(W)] for _ in range(H)]
    for y in range(H):
        for x in range(W):
            if 4 <= x <= 95 and 6 <= y <= 93:
                img[y][x][0] = 255
            if 2 <= x <= 90 and 12 <= y <= 85:
                img[y][x][1] = 255
            if x >= 3 and y <= 90:
                img[y][x][2] = 200
    return img


def blur_line(vals, r, w):
    n = len(vals)
    out = []
    for x in range(n):
        acc = 0.0
        for k in range(-r, r + 1):
            acc = f32(acc + f32(w[k] * vals[min(max(x - k, 0), n - 1)]))
        out.append(255 if acc >= 255 else 0 if acc < 0 else int(acc))
    return out


def main():
    r, w = kernel(RADIUS)
    img = source()
    for c in range(3):
        for y in range(H):
            row = blur_line([img[y][x][c] for x in range(W)], r, w)
            for x in range(W):
                img[y][x][c] = row[x]
        for x in range(W):
            col = blur_line([img[y][x][c] for y in range(H)], r, w)
            for y in range(H):
                img[y][x][c] = col[y]
    data = bytearray(b'P6\n%d %d\n255\n' % (W, H))
    for y in range(H):
        for x in range(W):
            data += bytes(img[y][x])
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'blur_r3_expected.ppm')
    with open(out, 'wb') as f:
        f.write(data)
    print('kernel radius', r, 'written', out)


if __name__ == '__main__':
    main()
