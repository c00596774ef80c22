-- A bubble sort of 3,000 pseudo-random ints in a flat table, 5 rounds: fill from a linear
-- congruential generator, then sort by swapping neighbours. Prints a[0] + a[1500] + a[2999].
local n = 3000
local a = {}
for round = 1, 5 do
    local x = 12345
    for i = 0, n - 1 do
        x = (x * 1103515245 + 12345) & 0x7FFFFFFF
        a[i] = x % 100000
    end
    for i = 0, n - 2 do
        for j = 0, n - 2 - i do
            if a[j] > a[j + 1] then
                local t = a[j]
                a[j] = a[j + 1]
                a[j + 1] = t
            end
        end
    end
end
print(a[0] + a[1500] + a[2999])
