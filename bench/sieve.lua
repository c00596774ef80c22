-- Sieve of Eratosthenes over 1000001 flags, 20 rounds. Prints 78498.
local N = 1000000
local count
for round = 1, 20 do
    local flags = {}
    for i = 0, N do flags[i] = true end
    count = 0
    for i = 2, N do
        if flags[i] then
            count = count + 1
            if i <= 1000 then
                for j = i * i, N, i do flags[j] = false end
            end
        end
    end
end
print(count)
