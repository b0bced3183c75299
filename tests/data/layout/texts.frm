•W€ Normal text@full
  •’L’ tail
  ‚’á x
  ’’
  ‘å’š’
  ’’’’
$XY Œ©’
$NM------ $SY(text here) $FN(:placed)
   $PR----------  $CF-----
   -              -
   -
$FF(no close
$ZZ-- not a key
$RM---
-
          $PT---- $PN---
       $FL-         -
    ----  „  $LG(x) end
          „ 
$SY(abc „  def)
                                                                                                    END OF ROW12
