-- An image filter over 640 x 480 pixels in a flat table, 20 rounds: shade (p[i] = i % 3),
-- make black and white in place, count the white pixels. Prints 204800.
local n = 640 * 480
local p = {}
local count
for round = 1, 20 do
    for i = 0, n - 1 do p[i] = i % 3 end
    for i = 0, n - 1 do
        if p[i] ~= 0 then p[i] = 1 end
    end
    count = 0
    for i = 0, n - 1 do
        if p[i] ~= 0 then count = count + 1 end
    end
end
print(count)
