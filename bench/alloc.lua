-- Allocation under a large live set: 110 rounds each replace 10000 elements of a ring of
-- 100000 small tables (the first 10 fill it). Prints 1100000 replacements.
local size, batch, rounds = 100000, 10000, 110
local ring = {}
local cursor = 0
for round = 1, rounds do
    for k = 0, batch - 1 do
        ring[cursor + 1] = {value = k}
        cursor = (cursor + 1) % size
    end
end
print(rounds * batch)
