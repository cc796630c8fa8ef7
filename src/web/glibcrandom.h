#pragma once
// The draws of the GNU C library's rand(), which the terminal game uses: an additive
// generator over 31 words (each the sum of the words 31 and 3 places back), filled from
// the seed by a multiplicative one, its first 310 draws thrown away. The browser's C
// library draws differently; with this, a seed gives the browser the terminal game's game.

#include <cstdint>

class glibcrandom {
public:
    explicit glibcrandom(unsigned s = 1) { seed(s); }

    void seed(unsigned s)
    {
        if (s == 0) s = 1;
        int32_t word = static_cast<int32_t>(s);
        state[0] = word;
        for (int i = 1; i < DEGREE; i++) {
            // 16807 * word % 2147483647 without leaving 31 bits (Schrage's method)
            long hi = word / 127773, lo = word % 127773;
            long next = 16807 * lo - 2836 * hi;
            if (next < 0) next += 2147483647;
            state[i] = word = static_cast<int32_t>(next);
        }
        front = SEPARATION;
        rear = 0;
        for (int i = 0; i < DEGREE * 10; i++) next();
    }

    int next()
    {
        uint32_t v = static_cast<uint32_t>(state[front]) + static_cast<uint32_t>(state[rear]);
        state[front] = static_cast<int32_t>(v);
        front = (front + 1) % DEGREE;
        rear = (rear + 1) % DEGREE;
        return static_cast<int>(v >> 1);
    }

private:
    static constexpr int DEGREE = 31, SEPARATION = 3;
    int32_t state[DEGREE];
    int front, rear;
};
