-- A histogram: 200 rounds each draw 100000 numbers from a linear congruential generator
-- and count them in 1024 buckets, find the fullest bucket, turn the counts into running
-- sums and clear them. Prints the sum of each round's fullest bucket and last running sum.
local h = {}
for i = 0, 1023 do h[i] = 0 end
local seed, total = 12345, 0
for round = 1, 200 do
    for i = 1, 100000 do
        seed = (seed * 1103515245 + 12345) & 0x7fffffff
        local b = (seed >> 16) & 1023
        h[b] = h[b] + 1
    end
    local fullest = 0
    for i = 0, 1023 do
        if h[i] > fullest then fullest = h[i] end
    end
    total = total + fullest
    for i = 1, 1023 do h[i] = h[i] + h[i - 1] end
    total = total + h[1023]
    for i = 0, 1023 do h[i] = 0 end
end
print(total)
