-- Quicksort: a table of 200000 pseudo-random values below 1000000 from a linear
-- congruential generator (x = (x * 1103515245 + 12345) & 0x7FFFFFFF, a[k] = x % 1000000,
-- the generator going on from round to round), sorted 5 times by sort(a, lo, hi), which
-- partitions around the middle element (Hoare) and recurses on the lower part, looping on
-- the upper. Prints the sum of the first, the middle and the last element of the last
-- round.
local function sort(a, lo, hi)
    while lo < hi do
        local p = a[(lo + hi) // 2]
        local i, j = lo, hi
        while i <= j do
            while a[i] < p do i = i + 1 end
            while a[j] > p do j = j - 1 end
            if i <= j then
                local t = a[i]
                a[i] = a[j]
                a[j] = t
                i = i + 1
                j = j - 1
            end
        end
        sort(a, lo, j)
        lo = i
    end
end
local n = 200000
local x = 12345
local a
for round = 1, 5 do
    a = {}
    for k = 0, n - 1 do
        x = (x * 1103515245 + 12345) & 0x7FFFFFFF
        a[k] = x % 1000000
    end
    sort(a, 0, n - 1)
end
print(a[0] + a[100000] + a[199999])
