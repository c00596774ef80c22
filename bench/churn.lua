-- Collections on a churned heap: a ring of 100000 small tables, each holding an inner
-- table, and 100 rounds that each replace 10000 elements chosen at random (the same
-- generator as churn.kasm). Prints 1000000 replacements.
local size, batch, rounds = 100000, 10000, 100
local ring = {}
local seed = 0
local function put(index)
    ring[index] = {value = index, inner = {value = index}}
end
for i = 0, size - 1 do put(i) end
for round = 1, rounds do
    for k = 1, batch do
        seed = (seed * 1103515245 + 12345) & 0xFFFFFFFF
        put(((seed >> 8) & 0xFFFFFF) % size)
    end
end
print(rounds * batch)
