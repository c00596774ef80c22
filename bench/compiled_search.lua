-- Binary search: a sorted table of 100000 multiples of 3 (a[i] = 3 i), searched for
-- 1000000 pseudo-random keys below 300000 from a linear congruential generator
-- (x = (x * 1103515245 + 12345) & 0x7FFFFFFF, key = x % 300000). Prints the keys found.
local n = 100000
local a = {}
for i = 0, n - 1 do a[i] = i * 3 end
local x = 12345
local found = 0
for k = 1, 1000000 do
    x = (x * 1103515245 + 12345) & 0x7FFFFFFF
    local key = x % 300000
    local lo, hi = 0, n - 1
    while lo <= hi do
        local mid = (lo + hi) // 2
        local v = a[mid]
        if v < key then
            lo = mid + 1
        elseif v > key then
            hi = mid - 1
        else
            found = found + 1
            break
        end
    end
end
print(found)
